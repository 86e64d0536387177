// The window table, the default window, the active window and failing without one.
#include "framework/windows/thread_record.h"
#include "framework/windows/window_calls.h"
#include "tests/framework/graphics_fixture.h"

#include <functional>
#include <thread>

namespace {

using test_support::TEST_UNIT;

TEST(WindowTable, DefaultWindowIsSlotZeroCalledGraphic1) {
    EXPECT_EQ(gw_default_window(), GW_FIRST_WINDOW_NUMBER);
    EXPECT_EQ(gw_window_title(GW_FIRST_WINDOW_NUMBER), "Graphic1");
}

TEST(WindowTable, FortyWindowsFillTheTable) {
    std::vector<int32_t> opened;
    for (int32_t number = gw_open_child_window(); number != -1; number = gw_open_child_window())
        opened.push_back(number);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    // Every slot but the default window's was free.
    ASSERT_EQ(opened.size(), static_cast<size_t>(GW_WINDOW_SLOTS - 1));
    EXPECT_EQ(opened.front(), GW_FIRST_WINDOW_NUMBER + 1);
    EXPECT_EQ(opened.back(), GW_FIRST_WINDOW_NUMBER + GW_WINDOW_SLOTS - 1);
    EXPECT_EQ(gw_window_title(opened.front()), "Graphic2");
    for (int32_t number : opened)
        EXPECT_EQ(gw_close_child_window(number, 0), 0);
    EXPECT_EQ(gw_open_child_window("again"), GW_FIRST_WINDOW_NUMBER + 1);
    EXPECT_EQ(gw_close_child_window(GW_FIRST_WINDOW_NUMBER + 1, 0), 0);
}

TEST(WindowTable, ClosingABadNumberFails) {
    EXPECT_EQ(gw_close_child_window(GW_FIRST_WINDOW_NUMBER - 1, 0), -1);
    EXPECT_EQ(gw_close_child_window(GW_FIRST_WINDOW_NUMBER + GW_WINDOW_SLOTS, 0), -1);
    EXPECT_EQ(gw_close_child_window(GW_FIRST_WINDOW_NUMBER + 30, 0), -1); // empty slot
}

TEST(WindowTable, DestroyingTheDefaultWindowOpensANewOne) {
    ASSERT_EQ(gw_default_window(), GW_FIRST_WINDOW_NUMBER);
    const int32_t other = gw_open_child_window("other"); // takes slot 1
    ASSERT_EQ(gw_close_child_window(GW_FIRST_WINDOW_NUMBER, 0), 0);
    const int32_t replacement = gw_default_window();
    EXPECT_EQ(replacement, GW_FIRST_WINDOW_NUMBER); // the first free slot again
    EXPECT_EQ(gw_window_title(replacement), "Graphic1");
    gw_close_child_window(other, 0);
}

class ActiveWindowTest : public test_support::GraphicsWindowTest {};

TEST_F(ActiveWindowTest, UnconnectedUnitSelectsTheDefaultWindow) {
    EXPECT_EQ(gw_set_active_window(TEST_UNIT + 1), 1);
    EXPECT_EQ(framework::thread_active_window(), gw_default_window());
    EXPECT_EQ(gw_set_active_window(TEST_UNIT), 1);
    EXPECT_EQ(framework::thread_active_window(), number());
}

TEST_F(ActiveWindowTest, DefaultWindowGetsTheDefaultConfigurationOnFirstUse) {
    // A fresh default window, not configured yet.
    ASSERT_EQ(gw_close_child_window(gw_default_window(), 0), 0);
    framework::set_screen_size(200, 150);
    ASSERT_EQ(gw_set_active_window(TEST_UNIT + 1), 1);
    gw_clear_screen(GW_CLEAR_WINDOW); // the first use of the default window configures it
    gw_child_window* window = gw_find_window(gw_default_window());
    framework::set_screen_size(1024, 768);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->configured.load(), 1);
    framework::SurfaceAccess access(window->surface);
    EXPECT_EQ(access.bitmap().width(), 200);
    EXPECT_EQ(access.bitmap().height(), 150);
    EXPECT_EQ(window->colors, 256);
}

TEST_F(ActiveWindowTest, ClosedWindowChangesNothingWhenMadeActive) {
    const int32_t other = gw_open_child_window("other");
    ASSERT_EQ(gw_close_child_window(other, 1), 0);
    EXPECT_EQ(gw_window_title(other), "other-Closed");
    rt_connect_unit_to_window(TEST_UNIT + 1, other);
    EXPECT_EQ(gw_set_active_window(TEST_UNIT + 1), 0);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    EXPECT_EQ(framework::thread_active_window(), number());
    rt_disconnect_unit_window(TEST_UNIT + 1);
    EXPECT_EQ(gw_close_child_window(other, 0), 0);
}

// Another thread keeps the window, closed; this thread's active window is then unusable, and
// every routine fails with its own failure value and status -1, drawing nothing.
TEST_F(ActiveWindowTest, EveryRoutineFailsWithoutAUsableWindow) {
    std::thread([this] { gw_close_child_window(number(), 1); }).join();
    const std::array<gw_point16, 3> triangle{{{1, 1}, {9, 1}, {1, 9}}};
    const std::vector<std::pair<const char*, std::function<int32_t()>>> calls = {
        {"set_color_rgb", [] { return gw_set_color_rgb(0xFF); }},
        {"set_background_rgb", [] { return gw_set_background_rgb(0xFF); }},
        {"set_text_color_rgb", [] { return gw_set_text_color_rgb(0xFF); }},
        {"set_pixel_rgb", [] { return gw_set_pixel_rgb(1, 1, 0xFF); }},
        {"get_pixel", [] { return gw_get_pixel(1, 1); }},
        {"set_write_mode", [] { return gw_set_write_mode(1); }},
        {"move_to", [] { return gw_move_to(1, 1, nullptr); }},
        {"line_to", [] { return int32_t{gw_line_to(5, 5)}; }},
        {"rectangle", [] { return int32_t{gw_rectangle(3, 1, 1, 5, 5)}; }},
        {"ellipse", [] { return int32_t{gw_ellipse(3, 1, 1, 5, 5)}; }},
        {"polygon", [&triangle] { return int32_t{gw_polygon(3, triangle.data(), 3)}; }},
        {"set_clip_rect", [] { return int32_t{gw_set_clip_rect(1, 1, 5, 5)}; }},
    };
    const std::vector<int32_t> expected = {-1, -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0};
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].second(), expected[i]) << calls[i].first;
        EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED) << calls[i].first;
    }
    gw_clear_screen(GW_CLEAR_WINDOW);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    EXPECT_TRUE(pixels_not(test_support::BLACK).empty());
}

} // namespace
