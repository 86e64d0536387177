// The frame window's settings, child window states and the question at the end of the run.
#include "framework/program/frame.h"

#include "framework/program/error_reports.h"
#include "framework/program/process.h"
#include "framework/program/program_state.h"
#include "framework/surface/call_status.h"
#include "framework/windows/child_window.h"
#include "framework/windows/window_config.h"
#include "platform/ui/child_view.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/gui_thread.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex g_settings_mutex;
framework::FrameSettings g_recorded{false,
                                    0,
                                    GW_PLACEMENT_DEFAULT,
                                    GW_PLACEMENT_DEFAULT,
                                    GW_PLACEMENT_DEFAULT,
                                    GW_PLACEMENT_DEFAULT};
std::atomic<int32_t> g_in_startup{1};
std::atomic<int32_t> g_frame_created{0};
// Set by the application thread itself, so no other thread reads it.
thread_local bool t_application_thread = false;

ui::ShowState show_state(int32_t state) {
    switch (state) {
    case 1:
        return ui::ShowState::minimized;
    case 2:
        return ui::ShowState::maximized;
    case 4:
        return ui::ShowState::placed;
    default:
        return ui::ShowState::normal;
    }
}

int32_t set_frame_state(const gw_window_settings& settings) {
    if (settings.state < 1 || settings.state > 4)
        return -1;
    if (g_frame_created.load() == 0) {
        std::lock_guard lock(g_settings_mutex);
        g_recorded.applied = true;
        g_recorded.state = settings.state;
        if (settings.state == 4)
            g_recorded = {true, 4, settings.x, settings.y, settings.width, settings.height};
        return g_in_startup.load() != 0 ? -1 : 0;
    }
    const ui::FrameGeometry client{settings.x, settings.y, settings.width, settings.height};
    const ui::ShowState state = show_state(settings.state);
    framework::on_gui_later([state, client] { ui::place_frame(state, client); });
    return 0;
}

// A window that has no configuration yet has no cell size to place it by: the application thread
// gives it the default configuration first, any other thread is refused (it would configure a
// window the application has not drawn into yet).
int32_t set_child_state(int32_t window_number, const gw_window_settings& settings) {
    gw_child_window* window = gw_find_window(window_number);
    if (!window || window->slot_state() != WindowSlotState::open || framework::in_startup())
        return -1;
    if (window->configured.load() == 0 &&
        (!t_application_thread || !framework::ensure_configured(*window)))
        return -1;
    if (settings.state < 1 || settings.state > 4) {
        framework::set_graphics_status(GW_STATUS_OUT_OF_RANGE);
        return -1;
    }
    const ui::ShowState state = show_state(settings.state);
    const gw_window_settings place = settings;
    framework::on_gui_later([window_number, state, place] {
        ui::place_view(window_number, state, place.x, place.y, place.width, place.height);
    });
    framework::set_graphics_status(GW_STATUS_OK);
    return 0;
}

} // namespace

int32_t gw_set_window_state(int32_t window_number, const gw_window_settings& settings) {
    if (window_number == GW_FRAME_WINDOW_NUMBER)
        return set_frame_state(settings);
    return set_child_state(window_number, settings);
}

void gw_exit_prompt(int32_t exit_code) {
    switch (framework::exit_mode()) {
    case GW_EXIT_CLOSE:
        framework::on_gui_later([] { ui::close_frame(); });
        return;
    case GW_EXIT_KEEP:
        return;
    default:
        break;
    }
    const std::string text = framework::framework_text(GW_TEXT_EXIT_CODE) +
                             std::to_string(exit_code) +
                             framework::framework_text(GW_TEXT_EXIT_WINDOW);
    const framework::MessageAnswer answer =
        framework::ask_yes_no(framework::MessageIcon::warning, framework::program_title(), text);
    if (answer == framework::MessageAnswer::no)
        framework::wait_for_process_end();
    framework::on_gui_later([] { ui::close_frame(); });
}

namespace framework {

FrameSettings recorded_frame_settings() {
    std::lock_guard lock(g_settings_mutex);
    return g_recorded;
}

void set_startup_phase(StartupPhase phase) {
    g_in_startup.store(phase == StartupPhase::starting ? 1 : 0);
}

bool in_startup() {
    return g_in_startup.load() != 0;
}

void set_frame_created() {
    g_frame_created.store(1);
}

void mark_application_thread(ThreadRole role) {
    t_application_thread = role == ThreadRole::application;
}

} // namespace framework
