// The ways the program ends, each in a child process: STOP, STOP with a text, fatal errors, the
// end of the main program and closing the frame.
#include "framework/error_reports.h"
#include "framework/program.h"
#include "framework/scripted_user.h"
#include "framework/startup.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/message_box.h"
#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/trace.h"
#include "tests/runtime/child_process.h"

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

std::string read_file(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the program with `main` in a child process; message boxes are answered with `answer`.
Outcome run_program(std::function<void()> main, ui::MessageButton answer,
                    std::function<void()> on_ready = {}) {
    char folder[] = "/tmp/talvena-exit-XXXXXX";
    if (!mkdtemp(folder))
        return {};
    const std::filesystem::path trace = std::filesystem::path(folder) / "trace.txt";
    const test_support::ChildResult child = test_support::run_in_child([&]() -> std::string {
        chmod(folder, 0700);
        setenv("XDG_RUNTIME_DIR", folder, 1);
        setenv("XDG_CONFIG_HOME", folder, 1);
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
    Outcome outcome{child.exit_code, read_file(trace)};
    std::filesystem::remove_all(folder);
    return outcome;
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
    EXPECT_TRUE(has(outcome.trace,
                    "message caption=framework_ui_exit_test text=Диалог_IDD_DIALOG1_не_найден"))
        << outcome.trace;
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
                rt_idle_step();
        },
        ui::MessageButton::no,
        [] {
            rt_at_stop([] { rt_trace_event("units-closed"); });
            framework::post_to_gui([] { framework::script_target().close_frame(); });
        });
    EXPECT_EQ(outcome.exit_code, 0);
    EXPECT_LT(outcome.trace.find("units-closed"), outcome.trace.find("exit code=0"))
        << outcome.trace;
}

} // namespace
