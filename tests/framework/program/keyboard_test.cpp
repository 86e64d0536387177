// Keys in a child window: the scroll position each key reaches, beeps, and keys that do nothing.
#include "framework/program/keyboard.h"
#include "framework/program/window_system_hooks.h"
#include "framework/windows/child_window.h"
#include "platform/ui/child_view.h"
#include "platform/ui/script_input.h"
#include "runtime/units.h"
#include "tests/framework/program/drawing_window.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

int32_t count_beeps() {
    const std::vector<std::string> events = ui_test::trace_events();
    return static_cast<int32_t>(std::count_if(
        events.begin(), events.end(), [](const auto& line) { return line.starts_with("beep "); }));
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = ui_test::open_drawing_window(1, 2000, 1500);
        ASSERT_GT(m_window, 0);
    }
    void TearDown() override { rt_close(1); }
    int32_t m_window = 0;
};

TEST_F(KeyboardTest, EachKeyScrollsBeepsOrDoesNothing) {
    const ui::ViewState view = ui::view_state(m_window);
    ASSERT_GT(view.scroll_max_x, 0);
    ASSERT_GT(view.scroll_max_y, 0);
    // The steps come from the window's text cell and from the client area in device pixels.
    const framework::TextGrid& grid = framework::window_record(m_window)->text_grid;
    ASSERT_EQ(view.cell_width, grid.cell_width);
    ASSERT_EQ(view.cell_height, grid.cell_height);
    const int32_t page_x = static_cast<int32_t>(view.client_width * view.device_pixel_ratio);
    const int32_t page_y = static_cast<int32_t>(view.client_height * view.device_pixel_ratio);
    const int32_t max_x = view.scroll_max_x;
    const int32_t max_y = view.scroll_max_y;
    const int32_t cell_x = grid.cell_width;
    const int32_t cell_y = grid.cell_height;
    const int32_t x = max_x / 2;
    const int32_t y = max_y / 2;

    enum class Effect { scroll, beep, nothing };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const struct {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        int32_t from_x, from_y;
        Effect effect;
        int32_t to_x, to_y;
    } CASES[] = {
        {"PageDown",
         Qt::Key_PageDown,
         none,
         {},
         x,
         y,
         Effect::scroll,
         x,
         std::min(y + page_y, max_y)},
        {"PageUp", Qt::Key_PageUp, none, {}, x, y, Effect::scroll, x, std::max(y - page_y, 0)},
        {"Shift+PageDown",
         Qt::Key_PageDown,
         shift,
         {},
         x,
         y,
         Effect::scroll,
         x,
         std::min(y + page_y, max_y)},
        {"Ctrl+PageDown",
         Qt::Key_PageDown,
         ctrl,
         {},
         x,
         y,
         Effect::scroll,
         std::min(x + page_x, max_x),
         y},
        {"Ctrl+PageUp", Qt::Key_PageUp, ctrl, {}, x, y, Effect::scroll, std::max(x - page_x, 0), y},
        {"PageDown at the bottom", Qt::Key_PageDown, none, {}, x, max_y, Effect::scroll, x, max_y},
        {"PageUp near the top", Qt::Key_PageUp, none, {}, x, 3, Effect::scroll, x, 0},
        {"Home", Qt::Key_Home, none, {}, x, y, Effect::scroll, 0, y},
        {"Ctrl+Home", Qt::Key_Home, ctrl, {}, x, y, Effect::scroll, 0, 0},
        {"End", Qt::Key_End, none, {}, x, y, Effect::scroll, max_x, y},
        {"Ctrl+End", Qt::Key_End, ctrl, {}, x, y, Effect::scroll, max_x, max_y},
        {"Left", Qt::Key_Left, none, {}, x, y, Effect::scroll, x - cell_x, y},
        {"Right", Qt::Key_Right, none, {}, x, y, Effect::scroll, x + cell_x, y},
        {"Up", Qt::Key_Up, none, {}, x, y, Effect::scroll, x, y - cell_y},
        {"Down", Qt::Key_Down, none, {}, x, y, Effect::scroll, x, y + cell_y},
        {"Left at the left edge", Qt::Key_Left, none, {}, 0, y, Effect::scroll, 0, y},
        {"Down at the bottom", Qt::Key_Down, none, {}, x, max_y, Effect::scroll, x, max_y},
        {"a", Qt::Key_A, none, QStringLiteral("a"), x, y, Effect::beep, x, y},
        {"Ctrl+A", Qt::Key_A, ctrl, QStringLiteral("\x01"), x, y, Effect::beep, x, y},
        {"digit", Qt::Key_7, none, QStringLiteral("7"), x, y, Effect::beep, x, y},
        {"Cyrillic", 0x0416, none, QStringLiteral("ж"), x, y, Effect::beep, x, y},
        {"Escape", Qt::Key_Escape, none, QStringLiteral("\x1b"), x, y, Effect::beep, x, y},
        {"Enter", Qt::Key_Return, none, QStringLiteral("\r"), x, y, Effect::beep, x, y},
        {"Ctrl+C", Qt::Key_C, ctrl, QStringLiteral("\x03"), x, y, Effect::nothing, x, y},
        {"Ctrl+S", Qt::Key_S, ctrl, QStringLiteral("\x13"), x, y, Effect::nothing, x, y},
        {"Ctrl+Q", Qt::Key_Q, ctrl, QStringLiteral("\x11"), x, y, Effect::nothing, x, y},
        {"Ctrl+Insert", Qt::Key_Insert, ctrl, {}, x, y, Effect::nothing, x, y},
        {"Shift+Insert", Qt::Key_Insert, shift, {}, x, y, Effect::nothing, x, y},
        {"Insert", Qt::Key_Insert, none, {}, x, y, Effect::nothing, x, y},
        {"F1", Qt::Key_F1, none, {}, x, y, Effect::nothing, x, y},
        {"Shift alone", Qt::Key_Shift, shift, {}, x, y, Effect::nothing, x, y},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        ui::scroll_view_to(m_window, c.from_x, c.from_y);
        ui_test::clear_trace_events();
        ui_test::press_key(m_window, c.key, c.modifiers, c.text);
        const ui::ViewState after = ui::view_state(m_window);
        EXPECT_EQ(after.scroll_x, c.to_x);
        EXPECT_EQ(after.scroll_y, c.to_y);
        EXPECT_EQ(count_beeps(), c.effect == Effect::beep ? 1 : 0);
    }
    ui_test::clear_trace_events();
    ui_test::press_key(m_window, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    EXPECT_EQ(ui_test::trace_events(),
              std::vector<std::string>{"beep window=" + std::to_string(m_window)});
}

// The scripted user's keys go to the widget with the focus, as a person's do: in the active
// child window they scroll over its surface and write where they reached to the trace.
TEST_F(KeyboardTest, ScriptedKeysScrollTheActiveWindow) {
    ui::activate_view(m_window);
    ui_test::pump(20ms);
    ASSERT_TRUE(ui::send_key("Ctrl+Home"));
    const ui::ViewState view = ui::view_state(m_window);
    ASSERT_EQ(view.scroll_x, 0);
    ASSERT_EQ(view.scroll_y, 0);
    const int32_t page_y = static_cast<int32_t>(view.client_height * view.device_pixel_ratio);
    const struct {
        const char* key;
        int32_t x, y;
    } STEPS[] = {
        {"Down", 0, view.cell_height},
        {"Right", view.cell_width, view.cell_height},
        {"PageDown", view.cell_width, view.cell_height + page_y},
        {"Ctrl+End", view.scroll_max_x, view.scroll_max_y},
        {"Home", 0, view.scroll_max_y},
        {"Ctrl+Home", 0, 0},
    };
    for (const auto& step : STEPS) {
        SCOPED_TRACE(step.key);
        ui_test::clear_trace_events();
        ASSERT_TRUE(ui::send_key(step.key));
        const ui::ViewState after = ui::view_state(m_window);
        EXPECT_EQ(after.scroll_x, step.x);
        EXPECT_EQ(after.scroll_y, step.y);
        EXPECT_EQ(ui_test::trace_events(),
                  std::vector<std::string>{"scroll window=" + std::to_string(m_window) +
                                           " x=" + std::to_string(step.x) +
                                           " y=" + std::to_string(step.y)});
    }
}

// The keys a unit's key callback was given, and which it took: the plus sign and Left.
std::vector<std::pair<int32_t, int32_t>> g_keys_seen;

int32_t take_plus_and_left(int32_t unit, int32_t key, int32_t key_state) {
    EXPECT_EQ(unit, 1);
    g_keys_seen.emplace_back(key, key_state);
    return key == '+' || key == GW_KEY_LEFT ? 1 : 0;
}

// A key callback sees every key of its window first; a key it takes does nothing else, one it
// leaves scrolls or beeps as before; removed, it sees nothing more.
TEST_F(KeyboardTest, KeyCallbackSeesKeysFirstAndTakesWhatItWants) {
    ui::scroll_view_to(m_window, 100, 100);
    g_keys_seen.clear();
    ASSERT_EQ(gw_register_key_callback(1, take_plus_and_left), 0);
    ASSERT_EQ(gw_register_key_callback(1, take_plus_and_left), 1) << "replaced";
    EXPECT_EQ(gw_register_key_callback(7, take_plus_and_left), -2) << "no window";

    ui_test::clear_trace_events();
    ui_test::press_key(m_window, Qt::Key_Left, Qt::NoModifier, {});
    ui_test::press_key(m_window, Qt::Key_Plus, Qt::ShiftModifier, QStringLiteral("+"));
    EXPECT_EQ(ui_test::trace_events(), std::vector<std::string>{}) << "both taken";
    EXPECT_EQ(ui::view_state(m_window).scroll_x, 100);

    ui_test::press_key(m_window, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    ui_test::press_key(m_window, Qt::Key_Up, Qt::ControlModifier, {});
    EXPECT_EQ(count_beeps(), 1) << "Enter left to beep";
    EXPECT_EQ(ui::view_state(m_window).scroll_y, 100 - ui::view_state(m_window).cell_height);
    // Each press is followed by its release, which only the callback sees.
    constexpr int32_t UP = GW_KEY_RELEASE;
    EXPECT_EQ(g_keys_seen, (std::vector<std::pair<int32_t, int32_t>>{
                               {GW_KEY_LEFT, 0},
                               {GW_KEY_LEFT, UP},
                               {'+', GW_KEY_SHIFT},
                               {'+', GW_KEY_SHIFT | UP},
                               {13, 0},
                               {13, UP},
                               {GW_KEY_UP, GW_KEY_CONTROL},
                               {GW_KEY_UP, GW_KEY_CONTROL | UP}}));

    ASSERT_EQ(gw_unregister_key_callback(1), 0);
    g_keys_seen.clear();
    ui_test::press_key(m_window, Qt::Key_Left, Qt::NoModifier, {});
    EXPECT_TRUE(g_keys_seen.empty());
    EXPECT_EQ(ui::view_state(m_window).scroll_x, 100 - ui::view_state(m_window).cell_width);
}

// The frame's move to another screen reaches the registered callback with the screen's facts.
GwScreenFacts g_screen_seen;
int32_t g_screen_calls = 0;

TEST(ScreenCallback, HearsTheFrameMoveWithTheScreensFacts) {
    gw_register_screen_callback([](const GwScreenFacts& screen) {
        g_screen_seen = screen;
        ++g_screen_calls;
    });
    ASSERT_TRUE(ui::window_hooks().on_frame_screen_changed);
    ui::window_hooks().on_frame_screen_changed();
    gw_register_screen_callback(nullptr);
    ui::window_hooks().on_frame_screen_changed();
    EXPECT_EQ(g_screen_calls, 1);
    const ui::ScreenFacts screen = ui::frame_screen();
    EXPECT_EQ(g_screen_seen.width_px, screen.width_px);
    EXPECT_EQ(g_screen_seen.height_px, screen.height_px);
    EXPECT_GT(g_screen_seen.width_px, 0);
}

} // namespace
