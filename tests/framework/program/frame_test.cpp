// The frame: caption, placement from the initial settings, status panes, run state, program
// title and profile.
#include "framework/program/error_reports.h"
#include "framework/program/frame.h"
#include "framework/program/menus.h"
#include "framework/program/process.h"
#include "framework/program/program_state.h"
#include "framework/program/settings_file.h"
#include "framework/surface/call_status.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/ui/frame_window.h"
#include "tests/framework/program/ui_environment.h"
#include "tests/support/temp_folder.h"

#include <QMenuBar>
#include <QStatusBar>
#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(FrameTest, CaptionIsTheExecutableNameAndGeometryTheInitialSettings) {
    QMainWindow* frame = ui_test::main_window();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle().toStdString(), "framework_ui_test");
    // Before the frame existed the settings were only recorded: -1 inside the initial settings.
    EXPECT_EQ(ui_test::initial_frame_state_result(), -1);
    EXPECT_TRUE(frame->isVisible());
    // State 4 gives the outer geometry as recorded: 650 wide and 400 high, not the reverse.
    EXPECT_EQ(frame->frameGeometry(), QRect(ui_test::FRAME_X, ui_test::FRAME_Y,
                                            ui_test::FRAME_WIDTH, ui_test::FRAME_HEIGHT));
}

TEST(FrameTest, PlacingTheShownFrameSizesItsChildWindowArea) {
    gw_window_settings settings;
    settings.state = 4;
    settings.x = 10;
    settings.y = 20;
    settings.height = 300;
    settings.width = 500;
    QMainWindow* frame = ui_test::main_window();
    const QRect before = frame->geometry();
    EXPECT_EQ(gw_set_window_state(GW_FRAME_WINDOW_NUMBER, settings), 0);
    ui_test::pump(30ms);
    EXPECT_EQ(frame->centralWidget()->size(), QSize(500, 300));
    EXPECT_EQ(frame->frameGeometry().topLeft(), QPoint(10, 20));
    settings.state = 5;
    EXPECT_EQ(gw_set_window_state(GW_FRAME_WINDOW_NUMBER, settings), -1);
    frame->setGeometry(before);
    ui_test::pump(30ms);
}

TEST(FrameTest, ProgramTitleFromExecutablePath) {
    const struct {
        const char* path;
        const char* title;
    } CASES[] = {
        {"/work/build/talvena", "talvena"},
        {"build/talvena", "talvena"},
        {"talvena.exe", "talvena"},
        {"/opt/my.prog/run.bin", "run"},
        {"", "Easel"},
        {"/usr/bin/", "Easel"},
        {".hidden", ".hidden"},
    };
    for (const auto& c : CASES)
        EXPECT_EQ(framework::title_from_executable(c.path), c.title) << c.path;
}

TEST(FrameTest, RunStateShowsInTheLeftPane) {
    EXPECT_EQ(ui::run_state_text(), "Running");
    gw_set_run_state(GW_FINISHED);
    ui_test::pump(20ms);
    EXPECT_EQ(ui::run_state_text(), "Finished");
    EXPECT_EQ(framework::run_state(), GW_FINISHED);

    // An unknown state is reported and changes nothing.
    ui_test::message_log().boxes.clear();
    gw_set_run_state(7);
    ui_test::pump(20ms);
    ASSERT_EQ(ui_test::message_log().boxes.size(), 1u);
    EXPECT_EQ(ui_test::message_log().boxes[0].caption, "Easel Warning");
    EXPECT_EQ(ui::run_state_text(), "Finished");
    gw_set_run_state(GW_RUNNING);
    ui_test::pump(20ms);
    EXPECT_EQ(ui::run_state_text(), "Running");

    // A replaced text of the state shown appears at once; kind 9 changes nothing.
    gw_set_framework_text("Работа", 5);
    gw_set_framework_text("x", 9);
    ui_test::pump(20ms);
    EXPECT_EQ(ui::run_state_text(), "Работа");
    EXPECT_EQ(framework::framework_text(2), "\nExit Window?");
    gw_set_framework_text("Running", 5);
}

TEST(FrameTest, ErrorReportsFormatMessageFileAndLine) {
    ui_test::message_log().boxes.clear();
    gw_report_warning(GW_MESSAGE_INCONSISTENCY, "frame.cpp", 12);
    gw_report_error(GW_MESSAGE_OUT_OF_MEMORY, "menus.cpp", 34);
    const auto& boxes = ui_test::message_log().boxes;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Easel Warning");
    EXPECT_EQ(boxes[0].text, "Possible internal inconsistency\nfile \"frame.cpp\", line 12");
    EXPECT_EQ(boxes[0].kind, ui::MessageKind::warning);
    EXPECT_EQ(boxes[1].caption, "Easel Error");
    EXPECT_EQ(boxes[1].text, "Out of Memory\nfile \"menus.cpp\", line 34");
    EXPECT_EQ(boxes[1].kind, ui::MessageKind::error);
}

TEST(FrameTest, ExitModeAndCleanupLimits) {
    EXPECT_EQ(gw_set_exit_mode(0), -1);
    EXPECT_EQ(gw_set_exit_mode(4), -1);
    EXPECT_EQ(framework::exit_mode(), GW_EXIT_ASK);
    EXPECT_EQ(gw_set_exit_mode(GW_EXIT_KEEP), 0);
    EXPECT_EQ(framework::exit_mode(), GW_EXIT_KEEP);
    EXPECT_EQ(gw_set_exit_mode(GW_EXIT_ASK), 0);

    static int runs = 0;
    for (int index = 0; index < 32; ++index)
        EXPECT_EQ(gw_register_cleanup([] { ++runs; }), 1);
    EXPECT_EQ(gw_register_cleanup([] { ++runs; }), 0);
    framework::run_cleanups();
    EXPECT_EQ(runs, 32);
}

TEST(FrameTest, ProfileReadsTheProgramsSection) {
    const test_support::TempFolder folder;
    const std::filesystem::path path = folder.path() / "talvena.ini";
    {
        std::ofstream file(path);
        file << "[other]\nEaselMaximized=1\n\n[talvena]\n; comment\n easelmaximized = 2 \n"
                "Broken=x1\n";
    }
    EXPECT_EQ(framework::profile_int(path, "talvena", "EaselMaximized", 0), 2);
    EXPECT_EQ(framework::profile_int(path, "Talvena", "EaselMaximized", 0), 2);
    EXPECT_EQ(framework::profile_int(path, "talvena", "Broken", 5), 5);
    EXPECT_EQ(framework::profile_int(path, "talvena", "Missing", 7), 7);
    EXPECT_EQ(framework::profile_int(path, "none", "EaselMaximized", 0), 0);
    EXPECT_EQ(framework::profile_int(path / "missing", "talvena", "EaselMaximized", 3), 3);
    std::filesystem::remove(path);
}

TEST(FrameTest, StatusBarToggles) {
    EXPECT_TRUE(ui::status_bar_visible());
    EXPECT_EQ(gw_menu_command(GW_MENU_ACTION_STATUS_BAR), 0);
    ui_test::pump(20ms);
    EXPECT_FALSE(ui::status_bar_visible());
    EXPECT_EQ(gw_menu_command(GW_MENU_ACTION_STATUS_BAR), 0);
    ui_test::pump(20ms);
    EXPECT_TRUE(ui::status_bar_visible());
}

// Placing a child window from a thread of its own: the application's or another one. A window
// without a configuration gets the default one only on the application thread.
TEST(FrameTest, PlacingAChildWindowByThreadConfigurationAndState) {
    struct Case {
        const char* name;
        framework::ThreadRole role;
        bool configured_before;
        int16_t state;
        int32_t result;
        int16_t status;
        bool configured_after;
    };
    const Case CASES[] = {
        {"other thread, no configuration", framework::ThreadRole::other, false, 3, -1, GW_STATUS_OK,
         false},
        {"application thread, no configuration", framework::ThreadRole::application, false, 3, 0,
         GW_STATUS_OK, true},
        {"other thread, configured, placed", framework::ThreadRole::other, true, 4, 0, GW_STATUS_OK,
         true},
        {"application thread, minimised", framework::ThreadRole::application, true, 1, 0,
         GW_STATUS_OK, true},
        {"unknown state", framework::ThreadRole::application, false, 5, -1, GW_STATUS_OUT_OF_RANGE,
         true},
    };
    for (const Case& test : CASES) {
        SCOPED_TRACE(test.name);
        const int32_t number = gw_open_child_window("Размещение");
        ASSERT_GE(number, 0);
        gw_child_window* window = gw_find_window(number);
        ASSERT_NE(window, nullptr);
        if (test.configured_before) {
            ASSERT_TRUE(framework::ensure_configured(*window));
        }
        framework::set_graphics_status(GW_STATUS_FAILED);
        std::atomic<int32_t> result{1};
        std::atomic<int32_t> done{0};
        std::thread caller([&] {
            framework::mark_application_thread(test.role);
            result.store(gw_set_window_state(number, {test.state, 1, 1, 10, 20}));
            done.store(1);
        });
        ASSERT_TRUE(ui_test::pump_until([&] { return done.load() == 1; }));
        caller.join();
        EXPECT_EQ(result.load(), test.result);
        if (test.result == 0 || test.status != GW_STATUS_OK) {
            EXPECT_EQ(gw_get_status(), test.status);
        }
        EXPECT_EQ(window->configured.load() != 0, test.configured_after);
        ui_test::pump(20ms);
        EXPECT_EQ(gw_close_child_window(number, 0), 0);
    }
    // A window number that names no open window.
    EXPECT_EQ(gw_set_window_state(GW_FIRST_WINDOW_NUMBER + GW_WINDOW_SLOTS - 1, {3, 0, 0, 0, 0}),
              -1);
}

} // namespace
