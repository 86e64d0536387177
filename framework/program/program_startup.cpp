// Start-up: the two stages before the application's main program, its thread, and the stop hooks.
#include "framework/program/program_startup.h"

#include "framework/program/error_reports.h"
#include "framework/program/frame.h"
#include "framework/program/menus.h"
#include "framework/program/process.h"
#include "framework/program/program_state.h"
#include "framework/program/settings_file.h"
#include "framework/program/text_units.h"
#include "framework/program/window_system_hooks.h"
#include "framework/windows/thread_record.h"
#include "framework/windows/window_config.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/gui_thread.h"
#include "runtime/cp1251.h"
#include "runtime/stop.h"
#include "runtime/trace.h"
#include "runtime/units.h"

#include <climits>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

std::string executable_path(int argc, char** argv) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length > 0)
        return std::string(buffer, static_cast<size_t>(length));
    return argc > 0 && argv[0] ? std::string(argv[0]) : std::string();
}

// The frame is shown maximised when the profile says so, else as the application's settings
// recorded, else normally.
void show_frame() {
    const framework::FrameSettings settings = framework::recorded_frame_settings();
    ui::ShowState state = ui::ShowState::normal;
    ui::FrameGeometry outer;
    if (framework::profile_int(framework::profile_path(), framework::program_title(),
                               "EaselMaximized", 0) != 0) {
        state = ui::ShowState::maximized;
    } else if (settings.applied) {
        state = settings.state == 1   ? ui::ShowState::minimized
                : settings.state == 2 ? ui::ShowState::maximized
                : settings.state == 4 ? ui::ShowState::placed
                                      : ui::ShowState::normal;
        if (settings.state == 4)
            outer = {settings.x, settings.y, settings.width, settings.height};
    }
    ui::show_frame(state, outer);
    framework::set_frame_created();
    rt_trace_event("frame-shown", {{"title", ui::frame_title()}});
}

// Ends a run whose main program returned or stopped with a text: units closed, "Finished",
// application items greyed, then the exit question.
void finish_run() {
    rt_run_stop_actions();
    gw_set_run_state(GW_FINISHED);
    framework::set_application_items_greyed(true);
    gw_exit_prompt(0);
}

void install_stop_hooks() {
    RtStopHooks hooks;
    hooks.on_exit = [] { framework::end_process(0); };
    // The text goes to the standard output unit, the default window, before the exit question.
    hooks.on_stop_with_text = [](std::string_view text) {
        rt_write_line(RT_STANDARD_OUTPUT_UNIT, utf8_to_cp1251(text), RtOnError::report);
        finish_run();
        framework::end_process(0);
    };
    // A run-time fatal error ends through the framework's fatal path: clean-up list, code -1.
    hooks.on_fatal_error = [](std::string_view message) {
        framework::show_message(framework::MessageIcon::error, GW_ERROR_CAPTION,
                                std::string(message));
        framework::run_cleanups();
        framework::end_process(-1, framework::StopActions::skip);
    };
    rt_set_stop_hooks(std::move(hooks));
}

// One priority step below the GUI thread: Linux sets the nice value per thread id.
void lower_thread_priority() {
    const auto thread_id = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, thread_id);
    if (errno == 0)
        setpriority(PRIO_PROCESS, thread_id, current + 1);
}

void start_application_thread(std::function<void()> main) {
    std::thread([main = std::move(main)] {
        framework::mark_application_thread(framework::ThreadRole::application);
        lower_thread_priority();
        if (main)
            main();
        finish_run();
        // The program has ended and its windows stay up for the user: the thread waits in the
        // run-time's wait until the frame is closed, as a scripted user's later lines need.
        framework::wait_for_process_end();
    }).detach();
}

} // namespace

int gw_startup(int argc, char** argv, const GwApplication& application,
               const GwStartupOptions& options) {
    if (!framework::build_frame(argc, argv, application, options))
        return 0;
    start_application_thread(application.main);
    framework::end_process(ui::run_event_loop());
}

namespace framework {

bool build_frame(int argc, char** argv, const GwApplication& application,
                 const GwStartupOptions& options) {
    framework::set_program_title(framework::title_from_executable(executable_path(argc, argv)));
    framework::set_missing_text_font_report(framework::report_missing_text_font);
    if (!ui::start_application(argc, argv, options.headless, options.on_no_display))
        return false;
    framework::set_startup_phase(framework::StartupPhase::starting);
    const int32_t settings_ok = application.initial_settings ? application.initial_settings() : 1;
    framework::set_startup_phase(framework::StartupPhase::started);
    if (framework::menu_bar_empty())
        gw_build_default_menus();
    if (!ui::create_frame(framework::program_title()))
        return false;
    framework::attach_window_system();
    framework::attach_text_units();
    show_frame();
    framework::show_menu_bar();
    gw_set_run_state(GW_RUNNING);
    if (settings_ok == 0)
        gw_report_error(GW_MESSAGE_STARTUP_HOOK, __FILE__, __LINE__);
    // The GUI thread's own record opens the hidden default window in slot 0.
    framework::thread_active_window();
    install_stop_hooks();
    if (application.on_ready)
        application.on_ready();
    return true;
}

} // namespace framework
