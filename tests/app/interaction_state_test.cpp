// The mouse callback's latching of clicks and buttons.
#include "app/interaction_state.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Latching {
    const char* name;
    std::vector<int32_t> key_states; // one event each
    int32_t clicked;
    int32_t buttons;
    int32_t buttons_now;
};

class MouseHandlerTest : public ::testing::TestWithParam<Latching> {
protected:
    void SetUp() override {
        app_put(mouse_clicked, 0);
        app_put(mouse_buttons, 0);
        app_put(mouse_buttons_now, 0);
    }
};

TEST_P(MouseHandlerTest, LatchesTheButtonsOfTheEvents) {
    const Latching& events = GetParam();
    for (const int32_t key_state : events.key_states)
        EXPECT_EQ(app_mouse_handler(1, 1, key_state, 10, 10), 0);
    EXPECT_EQ(app_get(mouse_clicked), events.clicked);
    EXPECT_EQ(app_get(mouse_buttons), events.buttons);
    EXPECT_EQ(app_get(mouse_buttons_now), events.buttons_now);
}

INSTANTIATE_TEST_SUITE_P(
    Events, MouseHandlerTest,
    ::testing::Values(Latching{"left_click", {1, 0}, 1, 1, 0},
                      Latching{"right_click", {2, 0}, 1, 2, 0}, Latching{"left_held", {1}, 1, 1, 1},
                      Latching{"release_alone_latches_nothing", {0}, 0, 0, 0},
                      Latching{"left_then_right_replaces", {1, 0, 2, 0}, 1, 2, 0},
                      Latching{"both_stays_both_through_releases", {1, 3, 2, 0}, 1, 3, 0},
                      Latching{"both_stays_both_after_a_new_press", {3, 0, 1}, 1, 3, 1},
                      // Shift (4), Ctrl (8) and the middle button (16) are not buttons of ours.
                      Latching{"shift_left_click_is_a_left_click", {5, 4}, 1, 1, 0},
                      Latching{"ctrl_right_click_is_a_right_click", {10, 8}, 1, 2, 0},
                      Latching{"middle_held_left_click", {17, 16}, 1, 1, 0},
                      Latching{"shift_both_is_both", {7, 4, 5}, 1, 3, 1}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

TEST(ClickTest, IsOnlyAClickOnceTheButtonIsUp) {
    app_put(mouse_clicked, 0);
    app_put(mouse_buttons, 0);
    app_mouse_handler(1, 1, 1, 0, 0);
    EXPECT_FALSE(app_clicked(APP_LEFT_BUTTON));
    app_mouse_handler(1, 2, 0, 0, 0);
    EXPECT_TRUE(app_clicked(APP_LEFT_BUTTON));
    EXPECT_FALSE(app_clicked(APP_RIGHT_BUTTON));
}

} // namespace
