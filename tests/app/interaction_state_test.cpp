// The mouse callback's latching of clicks and buttons, and the keys that stand for the buttons.
#include "app/interaction_state.h"

#include "framework/program/keyboard.h"
#include "runtime/clock.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

// One mouse event: its code and the key state it carries (after the change, for a release).
struct MouseEvent {
    int32_t event;
    int32_t key_state;
};
constexpr int32_t LEFT_DOWN = APP_MOUSE_LEFT_PRESS;
constexpr int32_t LEFT_UP = APP_MOUSE_LEFT_RELEASE;
constexpr int32_t RIGHT_DOWN = APP_MOUSE_RIGHT_PRESS;
constexpr int32_t RIGHT_UP = APP_MOUSE_RIGHT_RELEASE;

struct Latching {
    const char* name;
    std::vector<MouseEvent> events;
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
    const Latching& latching = GetParam();
    for (const MouseEvent& e : latching.events)
        EXPECT_EQ(app_mouse_handler(1, e.event, e.key_state, 10, 10), 0);
    EXPECT_EQ(app_get(mouse_clicked), latching.clicked);
    EXPECT_EQ(app_get(mouse_buttons), latching.buttons);
    EXPECT_EQ(app_get(mouse_buttons_now), latching.buttons_now);
}

INSTANTIATE_TEST_SUITE_P(
    Events, MouseHandlerTest,
    ::testing::Values(
        Latching{"left_click", {{LEFT_DOWN, 1}, {LEFT_UP, 0}}, 1, 1, 0},
        Latching{"right_click", {{RIGHT_DOWN, 2}, {RIGHT_UP, 0}}, 1, 2, 0},
        Latching{"left_held", {{LEFT_DOWN, 1}}, 1, 1, 1},
        Latching{"release_alone_latches_nothing", {{LEFT_UP, 0}}, 0, 0, 0},
        Latching{"left_then_right_replaces",
                 {{LEFT_DOWN, 1}, {LEFT_UP, 0}, {RIGHT_DOWN, 2}, {RIGHT_UP, 0}},
                 1,
                 2,
                 0},
        Latching{"both_stays_both_through_releases",
                 {{LEFT_DOWN, 1}, {RIGHT_DOWN, 3}, {LEFT_UP, 2}, {RIGHT_UP, 0}},
                 1,
                 3,
                 0},
        Latching{"both_stays_both_after_a_new_press",
                 {{LEFT_DOWN, 1}, {RIGHT_DOWN, 3}, {LEFT_UP, 2}, {RIGHT_UP, 0}, {LEFT_DOWN, 1}},
                 1,
                 3,
                 1},
        // Letting go of one button while the other is still down is no click of the other.
        Latching{
            "release_with_the_other_down_latches_nothing", {{LEFT_UP, 2}, {RIGHT_UP, 0}}, 0, 0, 0},
        // Shift (4), Ctrl (8) and the middle button (16) are not buttons of ours.
        Latching{"shift_left_click_is_a_left_click", {{LEFT_DOWN, 5}, {LEFT_UP, 4}}, 1, 1, 0},
        Latching{"ctrl_right_click_is_a_right_click", {{RIGHT_DOWN, 10}, {RIGHT_UP, 8}}, 1, 2, 0},
        Latching{"middle_held_left_click", {{LEFT_DOWN, 17}, {LEFT_UP, 16}}, 1, 1, 0},
        Latching{"shift_both_is_both", {{LEFT_DOWN, 5}, {RIGHT_DOWN, 7}, {RIGHT_UP, 5}}, 1, 3, 1}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

// A quick second press arrives as press, release, double click, release. Once a loop has taken
// the first click, the double click is the second one, with its own button.
TEST(MouseHandlerDoubleClickTest, IsTheSecondPressOfAQuickPair) {
    const struct {
        const char* name;
        int32_t button_bit;
        int32_t press;
        int32_t double_click;
        int32_t release;
    } cases[] = {
        {"left", APP_LEFT_BUTTON, LEFT_DOWN, APP_MOUSE_LEFT_DOUBLE_CLICK, LEFT_UP},
        {"right", APP_RIGHT_BUTTON, RIGHT_DOWN, APP_MOUSE_RIGHT_DOUBLE_CLICK, RIGHT_UP},
    };
    EXPECT_EQ(APP_MOUSE_EVENT_MASK & (APP_MOUSE_LEFT_DOUBLE_CLICK | APP_MOUSE_RIGHT_DOUBLE_CLICK),
              APP_MOUSE_LEFT_DOUBLE_CLICK | APP_MOUSE_RIGHT_DOUBLE_CLICK)
        << "the drawing window must be asked for double clicks";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app_put(mouse_buttons, 0);
        app_mouse_handler(1, c.press, c.button_bit, 10, 10);
        app_mouse_handler(1, c.release, 0, 10, 10);
        app_put(mouse_clicked, 0); // the first answer taken
        app_put(mouse_buttons, 0);
        app_mouse_handler(1, c.double_click, c.button_bit, 10, 10);
        EXPECT_EQ(app_get_click(), 1);
        EXPECT_EQ(app_get(mouse_buttons), c.button_bit);
        EXPECT_EQ(app_get(mouse_buttons_now), c.button_bit);
        app_mouse_handler(1, c.release, 0, 10, 10);
        EXPECT_TRUE(app_clicked(c.button_bit));
    }
}

TEST(ClickTest, IsOnlyAClickOnceTheButtonIsUp) {
    app_put(mouse_clicked, 0);
    app_put(mouse_buttons, 0);
    app_mouse_handler(1, APP_MOUSE_LEFT_PRESS, 1, 0, 0);
    EXPECT_FALSE(app_clicked(APP_LEFT_BUTTON));
    app_mouse_handler(1, APP_MOUSE_LEFT_RELEASE, 0, 0, 0);
    EXPECT_TRUE(app_clicked(APP_LEFT_BUTTON));
    EXPECT_FALSE(app_clicked(APP_RIGHT_BUTTON));
}

// Keys as a presenter or a keyboard sends them: the key, its state bits (release, repeat, Ctrl)
// and whether the handler takes it.
struct KeyEvent {
    int32_t key;
    int32_t state = 0;
};
constexpr int32_t UP = GW_KEY_RELEASE;
constexpr int32_t REPEAT = GW_KEY_REPEAT;

struct KeyLatching {
    const char* name;
    std::vector<KeyEvent> events;
    int32_t clicked;
    int32_t buttons;
    int32_t buttons_now;
    bool in_activity = false;
};

class KeyHandlerTest : public ::testing::TestWithParam<KeyLatching> {
protected:
    void SetUp() override {
        // No tone stream for the activity's guard to open.
        rt_use_virtual_clock({2026, 12, 10, 10, 0, 0});
        // A key a case left held is let go first.
        app_key_handler(1, GW_KEY_LEFT, GW_KEY_RELEASE);
        app_key_handler(1, GW_KEY_RIGHT, GW_KEY_RELEASE);
        app_put(mouse_clicked, 0);
        app_put(mouse_buttons, 0);
        app_put(mouse_buttons_now, 0);
        app_put(click_input, APP_INPUT_MOUSE);
    }
    void TearDown() override { rt_use_real_clock(); }
};

TEST_P(KeyHandlerTest, LatchesAsTheButtonsWould) {
    const KeyLatching& latching = GetParam();
    std::optional<ActivityRunning> activity;
    if (latching.in_activity)
        activity.emplace();
    for (const KeyEvent& e : latching.events)
        EXPECT_EQ(app_key_handler(1, e.key, e.state), 1) << e.key << " taken";
    EXPECT_EQ(app_get(mouse_clicked), latching.clicked);
    EXPECT_EQ(app_get(mouse_buttons), latching.buttons);
    EXPECT_EQ(app_get(mouse_buttons_now), latching.buttons_now);
    if (latching.clicked == 1) {
        EXPECT_STREQ(app_click_input_name(), "key");
    }
}

constexpr int32_t ESCAPE = 0x1b;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyHandlerTest,
    ::testing::Values(
        KeyLatching{"left_is_the_left_button", {{GW_KEY_LEFT}, {GW_KEY_LEFT, UP}}, 1, 1, 0},
        KeyLatching{"page_up_is_the_left_button", {{GW_KEY_PAGE_UP}}, 1, 1, 1},
        KeyLatching{"right_is_the_right_button", {{GW_KEY_RIGHT}, {GW_KEY_RIGHT, UP}}, 1, 2, 0},
        KeyLatching{"page_down_is_the_right_button",
                    {{GW_KEY_PAGE_DOWN}, {GW_KEY_PAGE_DOWN, UP}},
                    1,
                    2,
                    0},
        // A held key's repeats are no new presses: released once, it stays released.
        KeyLatching{"repeats_are_ignored",
                    {{GW_KEY_RIGHT}, {GW_KEY_RIGHT, UP | REPEAT}, {GW_KEY_RIGHT, REPEAT},
                     {GW_KEY_RIGHT, UP}, {GW_KEY_RIGHT, REPEAT}},
                    1,
                    2,
                    0},
        KeyLatching{"a_repeat_alone_is_nothing", {{GW_KEY_LEFT, REPEAT}}, 0, 0, 0},
        // Keys never make both buttons: the second key is ignored while the first is down.
        KeyLatching{"never_both_from_two_keys",
                    {{GW_KEY_LEFT}, {GW_KEY_PAGE_DOWN}, {GW_KEY_PAGE_DOWN, UP}},
                    1,
                    1,
                    1},
        KeyLatching{"the_other_key_once_the_first_is_up",
                    {{GW_KEY_LEFT}, {GW_KEY_LEFT, UP}, {GW_KEY_RIGHT}, {GW_KEY_RIGHT, UP}},
                    1,
                    2,
                    0},
        KeyLatching{"release_without_press_is_nothing", {{GW_KEY_LEFT, UP}}, 0, 0, 0},
        // Escape ends an activity as both buttons do, and is a click of no button elsewhere, so
        // that the start screen never sees both buttons from a key.
        KeyLatching{"escape_in_an_activity_is_both", {{ESCAPE}, {ESCAPE, UP}}, 1, 3, 0, true},
        KeyLatching{"escape_elsewhere_is_a_click_of_no_button", {{ESCAPE}, {ESCAPE, UP}}, 1, 0,
                    0}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

// Ctrl with an arrow, Home, End and the other characters are left to the window (scrolling, a
// beep); a mouse click after a key's says it came from the mouse.
TEST(KeyHandlerTest, LeavesOtherKeysToTheWindow) {
    app_put(mouse_clicked, 0);
    app_put(mouse_buttons, 0);
    for (const int32_t key : {GW_KEY_HOME, GW_KEY_END, GW_KEY_UP, GW_KEY_DOWN, int32_t{'A'}})
        EXPECT_EQ(app_key_handler(1, key, 0), 0) << key;
    EXPECT_EQ(app_key_handler(1, GW_KEY_LEFT, GW_KEY_CONTROL), 0);
    EXPECT_EQ(app_key_handler(1, GW_KEY_PAGE_DOWN, GW_KEY_CONTROL), 0);
    EXPECT_EQ(app_get(mouse_clicked), 0);

    EXPECT_EQ(app_key_handler(1, GW_KEY_LEFT, 0), 1);
    EXPECT_EQ(app_key_handler(1, GW_KEY_LEFT, GW_KEY_RELEASE), 1);
    EXPECT_STREQ(app_click_input_name(), "key");
    app_mouse_handler(1, APP_MOUSE_RIGHT_PRESS, 2, 0, 0);
    EXPECT_STREQ(app_click_input_name(), "mouse");
    app_mouse_handler(1, APP_MOUSE_RIGHT_RELEASE, 0, 0, 0);
}

} // namespace
