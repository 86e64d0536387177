// The run-time's clock: real and virtual time, the wait until a deadline, waking, the hooks, and
// the hold of threads while the program is paused.
#include "runtime/clock.h"

#include "runtime/thread_hold.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>

namespace {

using SteadyClock = std::chrono::steady_clock;

const SteadyClock::time_point& program_start() {
    static const SteadyClock::time_point start = SteadyClock::now();
    return start;
}
// Fixes the start while the program starts, not at the first reading of the clock.
[[maybe_unused]] const SteadyClock::time_point& g_started = program_start();

// A virtual wait with nothing to move to says so on standard error after this long in real time:
// long enough that the GUI thread's answer to an action it has just carried out comes first.
constexpr auto STANDSTILL_NOTE_AFTER = std::chrono::seconds(2);

std::atomic<bool> g_virtual{false};
std::atomic<int64_t> g_virtual_us{0};
std::atomic<bool> g_held{false};
std::atomic<int64_t> g_next_due_us{RT_NEVER};
std::atomic<bool> g_standstill_noted{false};

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
// that comes between two waits of a thread is not lost: the next wait returns at once.
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

// Sleeps until a wake this thread has not seen yet, or until `until` when there is one; true
// when woken. Either way every wake until now counts as seen.
bool sleep_until_woken(std::optional<SteadyClock::time_point> until) {
    WakeState& state = wake_state();
    std::unique_lock lock(state.mutex);
    if (t_seen_generation == NOT_SEEN)
        t_seen_generation = state.generation;
    const auto woken = [&state] { return state.generation != t_seen_generation; };
    bool result = true;
    if (until)
        result = state.changed.wait_until(lock, *until, woken);
    else
        state.changed.wait(lock, woken);
    t_seen_generation = state.generation;
    return result;
}

// True, and the wake taken as seen, when a wake this thread has not seen has come.
bool take_pending_wake() {
    WakeState& state = wake_state();
    std::lock_guard lock(state.mutex);
    if (t_seen_generation == NOT_SEEN)
        t_seen_generation = state.generation;
    const bool pending = state.generation != t_seen_generation;
    t_seen_generation = state.generation;
    return pending;
}

void mark_wakes_seen() {
    WakeState& state = wake_state();
    std::lock_guard lock(state.mutex);
    t_seen_generation = state.generation;
}

RtWaitEnd real_wait(int64_t deadline_us) {
    if (deadline_us == RT_NEVER)
        return sleep_until_woken(std::nullopt) ? RtWaitEnd::woken : RtWaitEnd::deadline;
    const auto until = program_start() + std::chrono::microseconds(deadline_us);
    return sleep_until_woken(until) ? RtWaitEnd::woken : RtWaitEnd::deadline;
}

// Moves virtual time to `target_us` (never back) and calls the advance hook with the time then.
void advance_to(int64_t target_us) {
    // A tone played on another thread may have moved the clock meanwhile: it never goes back.
    int64_t now = g_virtual_us.load(std::memory_order_acquire);
    while (now < target_us &&
           !g_virtual_us.compare_exchange_weak(now, target_us, std::memory_order_acq_rel)) {
    }
    if (const auto hook = advance_hook().get())
        (*hook)(g_virtual_us.load(std::memory_order_acquire));
}

// Nothing to move the clock to: only another thread can change anything now. A script that has
// ended leaves the program waiting for ever, as a person who has gone would; that is said once,
// so that a run that stands still does not do so silently.
RtWaitEnd stand_still() {
    if (g_held.load(std::memory_order_acquire) || g_standstill_noted.load())
        return real_wait(RT_NEVER);
    if (sleep_until_woken(SteadyClock::now() + STANDSTILL_NOTE_AFTER))
        return RtWaitEnd::woken;
    if (!g_standstill_noted.exchange(true))
        std::fprintf(stderr,
                     "talvena: virtual time stands still at %.3f s: the program waits, and "
                     "the script has nothing more due\n",
                     static_cast<double>(g_virtual_us.load()) / 1e6);
    return real_wait(RT_NEVER);
}

RtWaitEnd virtual_wait(int64_t deadline_us) {
    if (take_pending_wake())
        return RtWaitEnd::woken;
    const int64_t now = g_virtual_us.load(std::memory_order_acquire);
    if (deadline_us <= now)
        return RtWaitEnd::deadline;
    if (g_held.load(std::memory_order_acquire))
        return stand_still();
    const int64_t due = g_next_due_us.load(std::memory_order_acquire);
    const int64_t target = std::min(deadline_us, std::max(due, now));
    if (target == RT_NEVER)
        return stand_still();
    advance_to(target);
    // What the hook's actions woke is looked at by the caller on its return.
    mark_wakes_seen();
    return target == deadline_us ? RtWaitEnd::deadline : RtWaitEnd::woken;
}

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
    g_next_due_us.store(RT_NEVER, std::memory_order_release);
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

// A wait is a hold point on both sides: a thread held while it waits (a pause during a wait)
// returns only once the hold has ended, as if it had been stopped there.
RtWaitEnd rt_wait_until(int64_t deadline_us) {
    rt_hold_point();
    const RtWaitEnd end =
        rt_clock_is_virtual() ? virtual_wait(deadline_us) : real_wait(deadline_us);
    rt_hold_point();
    return end;
}

void rt_wake() {
    WakeState& state = wake_state();
    {
        std::lock_guard lock(state.mutex);
        ++state.generation;
    }
    state.changed.notify_all();
}

void rt_set_next_due(int64_t due_us) {
    g_next_due_us.store(due_us, std::memory_order_release);
    rt_wake();
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
    rt_hold_point();
    if (!rt_clock_is_virtual())
        return;
    if (const auto hook = sync_point_hook().get())
        (*hook)(g_virtual_us.load(std::memory_order_acquire));
}

void rt_set_sync_point_hook(RtSyncPointHook hook) {
    sync_point_hook().set(std::move(hook));
}

// The hold of the program's threads (runtime/thread_hold.h): its hold point waits in the
// run-time's wait.
namespace {

thread_local bool t_holdable = false;
// The hold point's own wait is a run-time wait, which is a hold point in turn.
thread_local bool t_in_hold_point = false;

} // namespace

void rt_mark_thread_holdable() {
    t_holdable = true;
}

bool rt_hold_stops_this_thread() {
    return rt_threads_held() && t_holdable && !t_in_hold_point;
}

void rt_hold_threads() {
    rt_detail::g_threads_held.store(1, std::memory_order_relaxed);
    rt_wake();
}

void rt_release_threads() {
    rt_detail::g_threads_held.store(0, std::memory_order_relaxed);
    rt_wake();
}

void rt_hold_point() {
    if (!rt_hold_stops_this_thread())
        return;
    t_in_hold_point = true;
    while (rt_threads_held())
        rt_wait();
    t_in_hold_point = false;
}
