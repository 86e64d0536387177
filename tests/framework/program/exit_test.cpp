// The ways the program ends, each in a child process: STOP, STOP with a text, fatal errors, the
// end of the main program and closing the frame.
#include "framework/graphics/gw_graphics.h"
#include "framework/program/error_reports.h"
#include "framework/program/menus.h"
#include "framework/program/mouse.h"
#include "framework/program/process.h"
#include "framework/program/program_startup.h"
#include "framework/program/program_state.h"
#include "framework/program/status_bar.h"
#include "framework/program/window_system_hooks.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/menu_bar.h"
#include "platform/ui/message_box.h"
#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/trace.h"
#include "runtime/units.h"
#include "scripted/scripted_user.h"
#include "tests/runtime/child_process.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

struct Outcome {
    int exit_code = -1;
    std::string trace;
};

// Runs the program with `main` in a child process; message boxes are answered with `answer`.
Outcome run_program(std::function<void()> main, ui::MessageButton answer,
                    std::function<void()> on_ready = {}, const char* profile = nullptr) {
    const test_support::TempFolder temp;
    const std::string folder = temp.path().string();
    const std::filesystem::path trace = temp.path() / "trace.txt";
    const test_support::ChildResult child = test_support::run_in_child([&]() -> std::string {
        chmod(folder.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        if (profile) {
            std::filesystem::create_directories(std::filesystem::path(folder) / "talvena");
            std::ofstream(std::filesystem::path(folder) / "talvena" / "talvena.ini") << profile;
        }
        rt_trace_open(trace);
        static char name[] = "talvena";
        static char* argv[] = {name, nullptr};
        GwApplication application;
        application.main = main;
        application.on_ready = [answer, on_ready] {
            ui::set_message_box_answerer([answer](const ui::MessageBoxSpec&) {
                return std::optional<ui::MessageButton>(answer);
            });
            if (on_ready)
                on_ready();
        };
        gw_startup(1, argv, application, {true});
        return "gw_startup returned";
    });
    return Outcome{child.exit_code, test_support::file_bytes(trace)};
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ExitTest, StopWithoutTextEndsAtOnceWithCodeZero) {
    const Outcome outcome = run_program([] { rt_stop(); }, ui::MessageButton::no);
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_TRUE(has(outcome.trace, "frame-shown title=framework_ui_exit_test")) << outcome.trace;
    EXPECT_TRUE(has(outcome.trace, "exit code=0")) << outcome.trace;
    EXPECT_FALSE(has(outcome.trace, "message ")) << outcome.trace;
}

TEST(ExitTest, StopWithTextShowsItThenAsks) {
    const Outcome outcome = run_program([] { rt_stop_with_text("Диалог IDD_DIALOG1 не найден"); },
                                        ui::MessageButton::yes);
    EXPECT_EQ(outcome.exit_code, 0);
    // The text is written to the default window, "Graphic1", before the question.
    const size_t text = outcome.trace.find("text window=1024 text=Диалог_IDD_DIALOG1_не_найден__");
    const size_t question = outcome.trace.find("text=Program_Terminated_with_exit_code_0");
    EXPECT_NE(text, std::string::npos) << outcome.trace;
    EXPECT_LT(text, question) << outcome.trace;
    EXPECT_TRUE(has(outcome.trace, "message caption=framework_ui_exit_test "
                                   "text=Program_Terminated_with_exit_code_0_Exit_Window?"))
        << outcome.trace;
    EXPECT_TRUE(has(outcome.trace, "exit code=0")) << outcome.trace;
}

TEST(ExitTest, RunTimeFatalErrorShowsTheReasonAndEndsWithMinusOne) {
    const Outcome outcome =
        run_program([] { rt_fatal_error("talvena.sym: end of file"); }, ui::MessageButton::ok);
    EXPECT_EQ(outcome.exit_code, 255);
    EXPECT_TRUE(has(outcome.trace, "message caption=Easel_Error text=talvena.sym:_end_of_file"))
        << outcome.trace;
    EXPECT_TRUE(has(outcome.trace, "exit code=-1")) << outcome.trace;
}

TEST(ExitTest, FatalReportRunsTheCleanUpList) {
    const Outcome outcome = run_program(
        [] {
            gw_register_cleanup([] { rt_trace_event("cleaned"); });
            gw_report_fatal(GW_MESSAGE_OUT_OF_MEMORY, "frame.cpp", 7);
        },
        ui::MessageButton::ok);
    EXPECT_EQ(outcome.exit_code, 255);
    EXPECT_TRUE(has(outcome.trace, "message caption=Easel_Fatal_Error "
                                   "text=Out_of_Memory,_file_\"frame.cpp\",_line_7"))
        << outcome.trace;
    EXPECT_LT(outcome.trace.find("cleaned"), outcome.trace.find("exit code=-1")) << outcome.trace;
}

// On the fatal path the frame keeps only "&File" / "E&xit", whatever child window is active; the
// clean-up routine, run on the GUI thread here, sees the bar as it is then.
TEST(ExitTest, FatalReportLeavesTheFileExitMenuBar) {
    const Outcome outcome = run_program(
        [] {
            framework::on_gui_later([] {
                gw_register_cleanup([] {
                    std::string labels;
                    for (const std::string& label : ui::top_level_labels())
                        labels += label + ";";
                    rt_trace_event("menus", {{"labels", labels}});
                });
                gw_report_fatal(0, "frame.cpp", 9);
            });
            // The fatal path ends the process while this thread waits.
            for (;;)
                rt_wait();
        },
        ui::MessageButton::ok);
    EXPECT_EQ(outcome.exit_code, 255);
    EXPECT_TRUE(has(outcome.trace, "menus labels=&File;")) << outcome.trace;
}

// The question at the end of the run shows the warning icon, Yes and No, No preselected.
TEST(ExitTest, ExitQuestionWarns) {
    const Outcome outcome = run_program(
        [] {}, ui::MessageButton::yes,
        [] {
            ui::set_message_box_answerer([](const ui::MessageBoxSpec& spec) {
                rt_trace_event(
                    "box", {{"warning", spec.kind == ui::MessageKind::warning ? 1 : 0},
                            {"yes_no", spec.buttons == ui::MessageButtons::yes_no ? 1 : 0},
                            {"no_default", spec.default_button == ui::MessageButton::no ? 1 : 0}});
                return std::optional<ui::MessageButton>(ui::MessageButton::yes);
            });
        });
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_TRUE(has(outcome.trace, "box warning=1 yes_no=1 no_default=1")) << outcome.trace;
}

TEST(ExitTest, MainProgramReturningAsksUnlessTheModeClosesTheFrame) {
    const Outcome asked = run_program([] {}, ui::MessageButton::yes);
    EXPECT_EQ(asked.exit_code, 0);
    EXPECT_TRUE(has(asked.trace, "text=Program_Terminated_with_exit_code_0_Exit_Window?"))
        << asked.trace;

    const Outcome closed =
        run_program([] { gw_set_exit_mode(GW_EXIT_CLOSE); }, ui::MessageButton::yes);
    EXPECT_EQ(closed.exit_code, 0);
    EXPECT_FALSE(has(closed.trace, "message ")) << closed.trace;
    EXPECT_TRUE(has(closed.trace, "exit code=0")) << closed.trace;
}

TEST(ExitTest, ClosingTheFrameEndsABusyProgramAndClosesUnits) {
    const Outcome outcome = run_program(
        [] {
            for (;;)
                rt_wait();
        },
        ui::MessageButton::no,
        [] {
            rt_at_stop([] { rt_trace_event("units-closed"); });
            scripted::post_to_gui([] { scripted::script_target().close_frame(); });
        });
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_LT(outcome.trace.find("units-closed"), outcome.trace.find("exit code=0"))
        << outcome.trace;
}

// A press made before the wait begins would be lost: wait for the wait's status message.
void press_once_waiting() {
    if (framework::status_message().rfind("Mouse input pending in ", 0) != 0) {
        QTimer::singleShot(5, press_once_waiting);
        return;
    }
    scripted::script_target().press(scripted::ScriptButtons::left, scripted::ScriptPoint{30, 40});
}

// The application's own course: its thread opens unit 1 as a window (created on the GUI thread
// while it waits), draws, waits for a click that the scripted user makes, closes the unit, STOPs.
TEST(ExitTest, ApplicationThreadOpensItsWindowWaitsForAClickAndStops) {
    const Outcome outcome = run_program(
        [] {
            gw_open_unit_window(1, "Тренажер для глаз");
            gw_window_config config;
            config.surface_width = 980;
            config.surface_height = 650;
            if (gw_set_window_config(config) == 0)
                gw_set_window_config(config);
            gw_menu_command(GW_MENU_ACTION_TILE);
            for (int32_t y = 0; y < 650; y += 2) {
                gw_move_to(0, y, nullptr);
                gw_line_to(979, y);
            }
            rt_trace_event("ready");
            int32_t key_state = 0, x = 0, y = 0;
            const int32_t event = gw_wait_mouse_event(GW_MOUSE_LEFT_DOWN, &key_state, &x, &y);
            rt_trace_event("clicked", {{"event", event}, {"x", x}, {"y", y}});
            rt_close(1);
            rt_stop();
        },
        ui::MessageButton::no,
        [] {
            rt_trace_add_listener([](std::string_view event, std::span<const RtTraceField>) {
                if (event == "ready")
                    scripted::post_to_gui(press_once_waiting);
            });
        });
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_TRUE(has(outcome.trace, "window-opened unit=1 number=1025 title=Тренажер_для_глаз"))
        << outcome.trace;
    EXPECT_TRUE(has(outcome.trace, "clicked event=1 x=30 y=40")) << outcome.trace;
    EXPECT_TRUE(has(outcome.trace, "exit code=0")) << outcome.trace;
}

TEST(ExitTest, ProfileKeyShowsTheFrameMaximised) {
    const auto report_state = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("QMainWindow"))
                rt_trace_event("frame-state",
                               {{"maximized", static_cast<int32_t>(widget->isMaximized())}});
    };
    const Outcome plain = run_program([] { rt_stop(); }, ui::MessageButton::no, report_state);
    EXPECT_TRUE(has(plain.trace, "frame-state maximized=0")) << plain.trace;
    const Outcome maximised = run_program([] { rt_stop(); }, ui::MessageButton::no, report_state,
                                          "[framework_ui_exit_test]\nEaselMaximized=1\n");
    EXPECT_TRUE(has(maximised.trace, "frame-state maximized=1")) << maximised.trace;
}

} // namespace
