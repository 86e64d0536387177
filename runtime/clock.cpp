// The run-time's clock: real and virtual time, the idle step, waking and the advance hook.
#include "runtime/clock.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

using SteadyClock = std::chrono::steady_clock;

const SteadyClock::time_point& program_start() {
    static const SteadyClock::time_point start = SteadyClock::now();
    return start;
}
// Fixes the start while the program starts, not at the first reading of the clock.
[[maybe_unused]] const SteadyClock::time_point& g_started = program_start();

constexpr int64_t IDLE_STEP_US = 1000;

std::atomic<bool> g_virtual{false};
std::atomic<int64_t> g_virtual_us{0};
std::atomic<bool> g_held{false};

struct StartState {
    std::mutex mutex;
    RtDateTime start;
};

StartState& start_state() {
    static StartState state;
    return state;
}

// A hook that one thread may replace while another calls it: callers take a copy of the pointer
// under the lock and call it outside, so a hook may itself set hooks.
template <typename Hook>
class HookSlot {
public:
    std::shared_ptr<const Hook> get() {
        std::lock_guard lock(m_mutex);
        return m_hook;
    }
    void set(Hook hook) {
        auto shared = hook ? std::make_shared<const Hook>(std::move(hook)) : nullptr;
        std::lock_guard lock(m_mutex);
        m_hook = std::move(shared);
    }

private:
    std::mutex m_mutex;
    std::shared_ptr<const Hook> m_hook;
};

HookSlot<RtClockAdvanceHook>& advance_hook() {
    static HookSlot<RtClockAdvanceHook> slot;
    return slot;
}

HookSlot<RtSyncPointHook>& sync_point_hook() {
    static HookSlot<RtSyncPointHook> slot;
    return slot;
}

// Waking: a counter that rt_wake raises. Each thread remembers the value it last saw, so a wake
// that comes between two idle steps of a thread is not lost: the next step returns at once.
// A thread's first wait starts from the value it finds: wakes from before it existed are old.
struct WakeState {
    std::mutex mutex;
    std::condition_variable changed;
    uint64_t generation = 0;
};

WakeState& wake_state() {
    static WakeState state;
    return state;
}

constexpr uint64_t NOT_SEEN = UINT64_MAX;
thread_local uint64_t t_seen_generation = NOT_SEEN;

} // namespace

double rt_clock_seconds() {
    if (g_virtual.load(std::memory_order_acquire))
        return static_cast<double>(g_virtual_us.load(std::memory_order_acquire)) / 1e6;
    return std::chrono::duration<double>(SteadyClock::now() - program_start()).count();
}

int64_t rt_clock_microseconds() {
    if (g_virtual.load(std::memory_order_acquire))
        return g_virtual_us.load(std::memory_order_acquire);
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() -
                                                                 program_start())
        .count();
}

void rt_use_virtual_clock(const RtDateTime& start) {
    {
        StartState& state = start_state();
        std::lock_guard lock(state.mutex);
        state.start = start;
    }
    g_virtual_us.store(0, std::memory_order_release);
    g_held.store(false, std::memory_order_release);
    g_virtual.store(true, std::memory_order_release);
}

void rt_use_real_clock() {
    g_virtual.store(false, std::memory_order_release);
}

bool rt_clock_is_virtual() {
    return g_virtual.load(std::memory_order_acquire);
}

RtDateTime rt_virtual_clock_start() {
    StartState& state = start_state();
    std::lock_guard lock(state.mutex);
    return state.start;
}

void rt_idle_step() {
    if (rt_clock_is_virtual())
        rt_clock_advance(IDLE_STEP_US);
    else
        rt_wait_for_wake(std::chrono::milliseconds(1));
}

void rt_wake() {
    WakeState& state = wake_state();
    {
        std::lock_guard lock(state.mutex);
        ++state.generation;
    }
    state.changed.notify_all();
}

bool rt_wait_for_wake(std::chrono::milliseconds longest) {
    WakeState& state = wake_state();
    std::unique_lock lock(state.mutex);
    if (t_seen_generation == NOT_SEEN)
        t_seen_generation = state.generation;
    const bool woken = state.changed.wait_for(
        lock, longest, [&state] { return state.generation != t_seen_generation; });
    t_seen_generation = state.generation;
    return woken;
}

void rt_clock_advance(int64_t microseconds) {
    if (microseconds <= 0 || !rt_clock_is_virtual() || g_held.load(std::memory_order_acquire))
        return;
    const int64_t now =
        g_virtual_us.fetch_add(microseconds, std::memory_order_acq_rel) + microseconds;
    if (const auto hook = advance_hook().get())
        (*hook)(now);
}

void rt_hold_virtual_clock() {
    g_held.store(true, std::memory_order_release);
}

void rt_set_clock_advance_hook(RtClockAdvanceHook hook) {
    advance_hook().set(std::move(hook));
}

void rt_sync_point() {
    if (!rt_clock_is_virtual())
        return;
    if (const auto hook = sync_point_hook().get())
        (*hook)(g_virtual_us.load(std::memory_order_acquire));
}

void rt_set_sync_point_hook(RtSyncPointHook hook) {
    sync_point_hook().set(std::move(hook));
}
