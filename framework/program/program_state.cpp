// The program's identity: its title, run state, exit mode and the framework's texts.
#include "framework/program/program_state.h"

#include "framework/program/error_reports.h"
#include "framework/program/process.h"
#include "platform/ui/frame_window.h"

#include <array>
#include <atomic>
#include <mutex>

namespace {

std::string g_title = "Easel";
std::atomic<int32_t> g_run_state{GW_RUNNING};
std::atomic<int32_t> g_exit_mode{GW_EXIT_ASK};

constexpr size_t TEXT_KINDS = 22;
std::mutex g_text_mutex;
std::array<std::string, TEXT_KINDS> g_texts = {
    "",
    "Program Terminated with exit code ",
    "\nExit Window?",
    "Finished",
    "Paused",
    "Running",
    "",
    "",
    "Input pending in ",
    "",
    "Mouse input pending in ",
    "Select Text - ",
    "Select Graphics in ",
    "Error! Printing Aborted",
    "Error! Loading printer driver",
    "No Default Printer",
    "No printer driver",
    "Print: Printing Error",
    "Printing ",
    "Cancel",
    "Printing In Progress...",
    "Help not available for menu item",
};

int32_t text_kind_of_state(int32_t state) {
    switch (state) {
    case GW_PAUSED:
        return GW_TEXT_PAUSED;
    case GW_FINISHED:
        return GW_TEXT_FINISHED;
    default:
        return GW_TEXT_RUNNING;
    }
}

} // namespace

void gw_set_run_state(int32_t state) {
    if (state < GW_RUNNING || state > GW_FINISHED) {
        gw_report_warning(GW_MESSAGE_INCONSISTENCY, __FILE__, __LINE__);
        return;
    }
    g_run_state.store(state);
    const std::string text = framework::run_state_text(state);
    framework::on_gui_later([text] { ui::set_run_state_text(text); });
}

void gw_set_framework_text(const char* text, int32_t kind) {
    if (kind < 1 || kind >= static_cast<int32_t>(TEXT_KINDS) || kind == 9 || !text)
        return;
    {
        std::lock_guard lock(g_text_mutex);
        g_texts[static_cast<size_t>(kind)] = text;
    }
    if (kind == text_kind_of_state(g_run_state.load())) {
        const std::string shown = text;
        framework::on_gui_later([shown] { ui::set_run_state_text(shown); });
    }
}

int32_t gw_set_exit_mode(int32_t mode) {
    if (mode < GW_EXIT_ASK || mode > GW_EXIT_KEEP)
        return -1;
    g_exit_mode.store(mode);
    return 0;
}

namespace framework {

std::string title_from_executable(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return name.empty() ? std::string("Easel") : std::string(name);
}

void set_program_title(std::string title) {
    g_title = std::move(title);
}

const std::string& program_title() {
    return g_title;
}

int32_t run_state() {
    return g_run_state.load();
}

std::string framework_text(int32_t kind) {
    if (kind < 1 || kind >= static_cast<int32_t>(TEXT_KINDS))
        return {};
    std::lock_guard lock(g_text_mutex);
    return g_texts[static_cast<size_t>(kind)];
}

std::string run_state_text(int32_t state) {
    return framework_text(text_kind_of_state(state));
}

int32_t exit_mode() {
    return g_exit_mode.load();
}

} // namespace framework
