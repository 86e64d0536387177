// The hand-off to the GUI thread, the clean-up list and the end of the process.
#include "framework/program/process.h"

#include "platform/ui/gui_thread.h"
#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/trace.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace {

constexpr size_t CLEANUP_SLOTS = 32;

std::atomic<int32_t> g_gui_running{0};
std::mutex g_cleanup_mutex;
std::array<void (*)(), CLEANUP_SLOTS> g_cleanups{};
size_t g_cleanup_count = 0;
std::atomic<int32_t> g_ending{0};

} // namespace

int32_t gw_register_cleanup(void (*routine)()) {
    std::lock_guard lock(g_cleanup_mutex);
    if (g_cleanup_count == CLEANUP_SLOTS)
        return 0;
    g_cleanups[g_cleanup_count++] = routine;
    return 1;
}

namespace framework {

bool gui_running() {
    return g_gui_running.load() != 0;
}

void set_gui_running() {
    g_gui_running.store(1);
}

bool on_gui_and_wait(std::function<void()> work) {
    if (!gui_running())
        return false;
    return ui::call(std::move(work));
}

void on_gui_later(std::function<void()> work) {
    if (gui_running())
        ui::post(std::move(work));
}

void run_cleanups() {
    std::array<void (*)(), CLEANUP_SLOTS> routines{};
    size_t count = 0;
    {
        std::lock_guard lock(g_cleanup_mutex);
        routines = g_cleanups;
        count = g_cleanup_count;
    }
    for (size_t index = 0; index < count; ++index)
        routines[index]();
}

void end_process(int32_t code, StopActions stop_actions) {
    if (g_ending.exchange(1) != 0) {
        // Another thread is ending the program: it exits the process shortly.
        for (;;)
            pause();
    }
    // The end is this thread's alone: threads that run on until the exit (a waiting call is
    // cancelled below) no longer move the virtual clock or add to the trace, so that a scripted
    // run ends the same way however the threads are scheduled.
    rt_hold_virtual_clock();
    rt_trace_only_this_thread();
    ui::cancel_waiting_calls();
    if (stop_actions == StopActions::run)
        rt_run_stop_actions();
    rt_trace_event("exit", {{"code", code}});
    std::fflush(nullptr);
    std::_Exit(code);
}

void wait_for_process_end() {
    if (ui::on_gui_thread())
        ui::run_nested_loop_forever();
    for (;;)
        rt_wait();
}

} // namespace framework
