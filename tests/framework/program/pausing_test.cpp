// Pausing and resuming: the drawing thread stops between two drawing calls, the menus and the
// status bar say so, characters beep, and Escape or Ctrl+Q brings the program back.
#include "framework/graphics/gw_graphics.h"
#include "framework/program/menus.h"
#include "framework/program/pausing.h"
#include "framework/program/predefined_routines.h"
#include "framework/program/program_state.h"
#include "framework/windows/thread_record.h"
#include "platform/ui/child_view.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/menu_bar.h"
#include "runtime/units.h"
#include "tests/framework/program/drawing_window.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr int32_t WIDTH = 400;
constexpr int32_t HEIGHT = 300;

void press_ctrl(int32_t number, int key, char control_character) {
    ui_test::press_key(number, key, Qt::ControlModifier, QString(QChar(control_character)));
}

void press_escape(int32_t number) {
    ui_test::press_key(number, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
}

size_t count_events(const std::string& prefix) {
    const std::vector<std::string> events = ui_test::trace_events();
    return static_cast<size_t>(std::count_if(events.begin(), events.end(), [&](const auto& line) {
        return line == prefix || line.starts_with(prefix + " ");
    }));
}

// Whether each of the application's items (Выход, Итоги_тренировок) is greyed.
std::vector<bool> application_items_greyed() {
    std::vector<bool> greyed;
    for (const auto& item : framework::menu_bar_items())
        if (item.command > framework::LAST_BUILTIN_COMMAND)
            greyed.push_back((item.flags & GW_MENU_GREYED) != 0);
    return greyed;
}

bool state_shown(int32_t state, const char* text) {
    return framework::run_state() == state && ui::run_state_text() == text;
}

// The colours of the surface's pixels: one colour when no drawing call was cut short.
std::set<raster::Pixel> surface_colours(int32_t number) {
    framework::SurfaceAccess access(framework::window_record(number)->surface);
    std::set<raster::Pixel> colours;
    for (int32_t y = 0; y < HEIGHT; ++y)
        for (int32_t x = 0; x < WIDTH; ++x)
            colours.insert(access.bitmap().pixel(x, y));
    return colours;
}

// A window whose whole surface a drawing thread fills, call after call, with alternating
// colours; the menu bar offers the pause command, so that Ctrl+S and Ctrl+Q act.
class PausingTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = ui_test::open_drawing_window(41, WIDTH, HEIGHT);
        ASSERT_GT(m_window, 0);
        ui::activate_view(m_window);
        ASSERT_EQ(gw_append_menu_item(4, GW_MENU_ENABLED, "&Pause", gw_menu_pause), 1);
        ASSERT_TRUE(ui_test::pump_until([] { return ui::top_level_labels().size() == 4; }));
        ASSERT_TRUE(framework::command_present(framework::COMMAND_PAUSE));
        m_drawer = std::thread([this] {
            framework::set_thread_active_window(m_window);
            for (int32_t index = 0; m_stop.load() == 0; ++index) {
                gw_set_color_rgb(index % 2 ? 0x2040C0 : 0xC08020);
                gw_rectangle(GW_FILLED, 0, 0, WIDTH - 1, HEIGHT - 1);
                m_calls.fetch_add(1);
            }
        });
        ASSERT_TRUE(ui_test::pump_until([this] { return m_calls.load() > 3; }));
    }
    void TearDown() override {
        m_stop.store(1);
        while (framework::pause_in_effect())
            framework::resume_program();
        m_drawer.join();
        framework::reset_menus();
        ui_test::install_initial_menus();
        gw_set_run_state(GW_RUNNING);
        rt_close(41);
        ui_test::pump(20ms);
    }

    int32_t m_window = 0;
    std::thread m_drawer;
    std::atomic<int32_t> m_stop{0};
    std::atomic<int32_t> m_calls{0};
};

TEST_F(PausingTest, PauseFallsBetweenDrawingCallsAndEndsWithEscape) {
    ui_test::clear_trace_events();
    press_ctrl(m_window, Qt::Key_S, '\x13');
    ASSERT_TRUE(ui_test::pump_until([] { return state_shown(GW_PAUSED, "Paused"); }));
    EXPECT_EQ(count_events("pause"), 1u);

    // The drawing thread stands still, not inside a call: the GUI thread takes the surface at
    // once, and finds one whole rectangle on it.
    ui_test::pump(30ms);
    const int32_t calls = m_calls.load();
    ui_test::pump(100ms);
    EXPECT_EQ(m_calls.load(), calls);
    EXPECT_EQ(surface_colours(m_window).size(), 1u);

    // The application's items are greyed and choose nothing; the pause item reads Resume.
    EXPECT_EQ(application_items_greyed(), std::vector<bool>(2, true));
    EXPECT_FALSE(ui::choose_top_level_item("Итоги_тренировок"));
    const std::vector<std::string> labels = ui::top_level_labels();
    EXPECT_NE(std::find(labels.begin(), labels.end(), "&Resume\tCtrl+Q"), labels.end());

    // Every character beeps, a shortcut with no command too.
    const size_t beeps = count_events("beep");
    press_ctrl(m_window, Qt::Key_C, '\x03');
    ui_test::press_key(m_window, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(count_events("beep"), beeps + 2);

    // A second pause makes the next resume be ignored: the first Escape only beeps.
    press_ctrl(m_window, Qt::Key_S, '\x13');
    press_escape(m_window);
    EXPECT_EQ(count_events("beep"), beeps + 3);
    ui_test::pump(30ms);
    EXPECT_TRUE(state_shown(GW_PAUSED, "Paused"));
    EXPECT_EQ(m_calls.load(), calls);

    press_escape(m_window);
    EXPECT_EQ(count_events("resume"), 1u);
    ASSERT_TRUE(ui_test::pump_until(
        [&] { return state_shown(GW_RUNNING, "Running") && m_calls.load() > calls + 2; }));
    EXPECT_EQ(application_items_greyed(), std::vector<bool>(2, false));
    ASSERT_TRUE(ui_test::pump_until([] {
        const std::vector<std::string> shown = ui::top_level_labels();
        return std::find(shown.begin(), shown.end(), "&Pause") != shown.end();
    }));
}

TEST_F(PausingTest, CtrlQResumesAndAPauseCalledOffBeforeItLandsLeavesNothing) {
    press_ctrl(m_window, Qt::Key_S, '\x13');
    ASSERT_TRUE(ui_test::pump_until([] { return framework::run_state() == GW_PAUSED; }));
    press_ctrl(m_window, Qt::Key_Q, '\x11');
    ASSERT_TRUE(ui_test::pump_until([] { return state_shown(GW_RUNNING, "Running"); }));
    const int32_t calls = m_calls.load();
    ASSERT_TRUE(ui_test::pump_until([&] { return m_calls.load() > calls + 2; }));

    // Resumed before the pausing thread had the lock: whichever comes first, the program runs
    // on and nothing is left greyed or held.
    for (int round = 0; round < 20; ++round) {
        framework::pause_program();
        framework::resume_program();
    }
    ui_test::pump(50ms);
    EXPECT_FALSE(framework::pause_in_effect());
    EXPECT_EQ(framework::run_state(), GW_RUNNING);
    const int32_t later = m_calls.load();
    ASSERT_TRUE(ui_test::pump_until([&] { return m_calls.load() > later + 2; }));
}

// A finished program is paused at once, and resuming leaves it finished with its items greyed.
TEST_F(PausingTest, AFinishedProgramStaysFinishedAfterAPause) {
    gw_set_run_state(GW_FINISHED);
    framework::set_application_items_greyed(true);
    framework::pause_program();
    EXPECT_EQ(framework::run_state(), GW_PAUSED);
    EXPECT_TRUE(framework::resume_program());
    EXPECT_EQ(framework::run_state(), GW_FINISHED);
    EXPECT_EQ(application_items_greyed(), std::vector<bool>(2, true));
    EXPECT_FALSE(framework::resume_program());
}

} // namespace
