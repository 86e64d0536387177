// Ending the program: STOP with and without a text, and the run-time's fatal error.
#include "runtime/stop.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct StopState {
    std::mutex mutex;
    RtStopHooks hooks;
    std::vector<std::function<void()>> actions;
    bool actions_done = false;
};

StopState& stop_state() {
    static StopState state;
    return state;
}

RtStopHooks current_hooks() {
    StopState& state = stop_state();
    std::lock_guard lock(state.mutex);
    return state.hooks;
}

} // namespace

void rt_set_stop_hooks(RtStopHooks hooks) {
    StopState& state = stop_state();
    std::lock_guard lock(state.mutex);
    state.hooks = std::move(hooks);
}

void rt_at_stop(std::function<void()> action) {
    StopState& state = stop_state();
    std::lock_guard lock(state.mutex);
    state.actions.push_back(std::move(action));
}

void rt_run_stop_actions() {
    std::vector<std::function<void()>> actions;
    {
        StopState& state = stop_state();
        std::lock_guard lock(state.mutex);
        if (state.actions_done)
            return;
        state.actions_done = true;
        actions.swap(state.actions);
    }
    for (auto& action : actions)
        action();
}

void rt_stop() {
    rt_run_stop_actions();
    std::fflush(nullptr);
    if (auto on_exit = current_hooks().on_exit)
        on_exit();
    std::_Exit(0);
}

void rt_stop_with_text(std::string_view text) {
    if (auto hook = current_hooks().on_stop_with_text) {
        hook(text);
        std::abort(); // a stop hook must not return
    }
    rt_run_stop_actions();
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(nullptr);
    std::_Exit(0);
}

void rt_fatal_error(std::string_view message) {
    if (auto hook = current_hooks().on_fatal_error) {
        hook(message);
        std::abort(); // a fatal-error hook must not return
    }
    rt_run_stop_actions();
    std::fprintf(stderr, "talvena: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(nullptr);
    std::_Exit(2);
}
