// Pausing and resuming: the pausing thread, the hold of the drawing threads, and the menus.
#include "framework/program/pausing.h"

#include "framework/program/menus.h"
#include "framework/program/program_state.h"
#include "framework/surface/surface.h"
#include "framework/windows/child_window.h"
#include "platform/ui/child_view.h"
#include "runtime/thread_hold.h"
#include "runtime/trace.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace {

enum class Phase : uint8_t { running, pausing, paused };

// Guards everything below; taken by the GUI thread and by a pausing thread.
std::mutex g_mutex;
Phase g_phase = Phase::running;
// Each pause request that starts a pausing thread gets a new number, so that a thread whose
// pause was called off (and a newer pause begun) does nothing when it finally gets the lock.
uint64_t g_pause_number = 0;
bool g_ignore_next_resume = false;
int32_t g_state_before = GW_RUNNING;

// The run state, the menus and the trace of a pause whose hold is on.
void announce_pause_locked() {
    g_state_before = framework::run_state();
    gw_set_run_state(GW_PAUSED);
    framework::set_application_items_greyed(true);
    g_phase = Phase::paused;
    rt_trace_event("pause", {});
}

// Asks for every window's surface once the hold is on. A thread drawing on a surface it holds
// makes its calls without looking at anything shared (framework/surface/surface_lock.h); asked
// for, it lets the surface go, and its next call takes the slow way, where the hold stops it.
void ask_for_every_surface() {
    for (int32_t number = GW_FIRST_WINDOW_NUMBER; number < GW_FIRST_WINDOW_NUMBER + GW_WINDOW_SLOTS;
         ++number) {
        gw_child_window* window = framework::window_record(number);
        if (window && window->slot_state() != WindowSlotState::empty)
            framework::SurfaceAccess access(window->surface);
    }
}

// The pausing thread: it may wait for the call in progress to end, which the GUI thread must
// never do. It takes the active window's lock first, so that the pause falls between two calls
// there, and the other windows' locks one at a time afterwards, never two at once: a call that
// took a second surface inside itself could otherwise wait for this thread while it waits for
// that call. The window table's records live as long as the process, so a record stays valid
// when its window closes meanwhile.
void pause_between_calls(int32_t window_number, uint64_t pause_number) {
    const auto still_wanted = [pause_number] {
        return g_phase == Phase::pausing && g_pause_number == pause_number;
    };
    {
        std::optional<framework::SurfaceAccess> access;
        if (gw_child_window* window = framework::window_record(window_number))
            access.emplace(window->surface);
        std::lock_guard lock(g_mutex);
        if (!still_wanted())
            return;
        rt_hold_threads();
    }
    ask_for_every_surface();
    std::lock_guard lock(g_mutex);
    if (still_wanted())
        announce_pause_locked();
}

} // namespace

namespace framework {

void pause_program() {
    std::lock_guard lock(g_mutex);
    if (g_phase != Phase::running) {
        g_ignore_next_resume = true;
        return;
    }
    // A finished program draws no more: nothing to wait for.
    if (run_state() == GW_FINISHED) {
        rt_hold_threads();
        announce_pause_locked();
        return;
    }
    g_phase = Phase::pausing;
    // Detached: it ends as soon as it has had the lock, and the process never waits for it (the
    // program ends through _Exit).
    std::thread(pause_between_calls, ui::active_view(), ++g_pause_number).detach();
}

bool resume_program() {
    std::lock_guard lock(g_mutex);
    if (g_ignore_next_resume) {
        g_ignore_next_resume = false;
        return false;
    }
    switch (g_phase) {
    case Phase::running:
        return false;
    case Phase::pausing:
        g_phase = Phase::running;
        rt_release_threads();
        return true;
    case Phase::paused:
        break;
    }
    g_phase = Phase::running;
    gw_set_run_state(g_state_before);
    if (g_state_before != GW_FINISHED)
        set_application_items_greyed(false);
    rt_release_threads();
    rt_trace_event("resume", {});
    return true;
}

bool pause_in_effect() {
    std::lock_guard lock(g_mutex);
    return g_phase != Phase::running;
}

} // namespace framework
