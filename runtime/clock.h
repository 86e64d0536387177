// The run-time's clock: real or virtual seconds, the wait of every polling loop, and waking.
#pragma once

#include "runtime/local_date_time.h"

#include <cstdint>
#include <functional>

// Two clocks. The real clock counts the seconds since the program started (monotonic, not the
// wall clock). The virtual clock, for deterministic runs, starts at 0 and moves only when the
// program waits (rt_wait_until: to the wait's deadline or to the scripted user's next action,
// whichever is earlier) or plays a tone (its duration): drawing and computing take no virtual
// time, so a run repeats exactly. Virtual time is kept as a whole number of microseconds, so a
// wait of 5 s ends at exactly 5 s.
//
// Threads: the mode is chosen once at start-up, before any other thread runs. After that every
// function here may be called from any thread. Virtual time is advanced by the application
// thread; the GUI thread only reads it and calls rt_wake.

// Seconds on the current clock, with fractions. Thread-safe.
double rt_clock_seconds();
// The same in whole microseconds: exact on the virtual clock. Thread-safe.
int64_t rt_clock_microseconds();

// Switches to the virtual clock at time 0, `start` being the local date and time at time 0.
// Call at start-up before other threads run.
void rt_use_virtual_clock(const RtDateTime& start);
// Switches (back) to the real clock. Call at start-up before other threads run.
void rt_use_real_clock();
// True on the virtual clock. Thread-safe.
bool rt_clock_is_virtual();
// The date and time at virtual time 0 (meaningful on the virtual clock). Thread-safe.
RtDateTime rt_virtual_clock_start();

// A deadline that never comes: a wait for it lasts until it is woken.
inline constexpr int64_t RT_NEVER = INT64_MAX;

// Why a wait returned. Either way the caller looks at its state again: a wake says only that
// something may have changed.
enum class RtWaitEnd : uint8_t {
    woken,   // rt_wake was called, or (virtual clock) the scripted user acted
    deadline // the clock has reached the deadline
};

// The wait of every polling loop: the loop checks its state, and when nothing has happened it
// waits here until the state may have changed or `deadline_us` (on the current clock, in
// microseconds; RT_NEVER for none) has come. A wake that came since this thread's previous wait
// ends the wait at once, so a change between the check and the wait is never lost.
//
// Real clock: sleeps, without spinning or ticking, until rt_wake or the deadline.
//
// Virtual clock: no real sleep while there is something to move to. The clock jumps to the
// earlier of the deadline and the scripted user's next due action (rt_set_next_due), the
// advance hook carries out what is due then, and the wait returns; with an action due already,
// the hook runs at the current time. Only when nothing is due ever again (or the clock is held)
// does the wait sleep in real time until another thread calls rt_wake; a run whose script has
// ended then stands still until it ends by itself or from outside, and says so on standard
// error once.
//
// A hold point on entry and before it returns (runtime/thread_hold.h).
//
// Thread-safe; the GUI thread must not call it (it never waits for the application).
RtWaitEnd rt_wait_until(int64_t deadline_us);

// Waits with no deadline: until woken (or, virtual clock, until the scripted user acts).
inline RtWaitEnd rt_wait() {
    return rt_wait_until(RT_NEVER);
}

// Tells the waiting threads that shared state has changed, so that a sleeping wait returns at
// once and a thread that was not sleeping returns from its next one at once. Callable from any
// thread, callbacks included; cheap. On the virtual clock it changes nothing about time.
void rt_wake();

// Virtual clock: when the scripted user's next action is due, in microseconds (RT_NEVER when none
// is due). A wait never jumps past it. Set it whenever it changes, before the change can
// matter: a line that becomes due because an event was written included. Wakes the waiting
// threads, so that a wait with nothing to move to looks again. Thread-safe.
void rt_set_next_due(int64_t due_us);

// Virtual clock: moves time forward by `microseconds` (nothing for 0 or less) and calls the
// advance hook. Real clock: does nothing, real time passes by itself. Thread-safe.
void rt_clock_advance(int64_t microseconds);

// Stops the virtual clock where it stands: later advances change nothing and call no hook, until
// rt_use_virtual_clock starts it again. The thread that ends the process holds it first, so that
// threads still running until the exit cannot move the time of the run's last events. A wait on
// a held clock sleeps until woken. Thread-safe.
void rt_hold_virtual_clock();

// Called after every advance of the virtual clock with the new time in microseconds, and by a
// wait that finds an action due at the current time (with that time, unchanged); on the
// advancing thread and outside every lock of the clock, so it may block: the scripted user uses
// it to hold the application thread until the actions due by then have been carried out.
using RtClockAdvanceHook = std::function<void(int64_t now_microseconds)>;
// Replaces the hook (an empty function removes it). Thread-safe; a hook call in progress on
// another thread finishes with the hook it started with.
void rt_set_clock_advance_hook(RtClockAdvanceHook hook);

// A sync point: the application calls it wherever it checks the shared input state without
// waiting (after each grating row, after each figure tile), because on the virtual clock drawing
// takes no time and has no wait. Real clock: does nothing. Virtual clock: calls the sync hook
// with the current time, WITHOUT advancing it, on the calling thread and outside every lock of
// the clock, so the hook may block: the scripted user carries out the actions already due, and
// a scripted click can land in the middle of a drawing exactly as it would in real time. Either
// clock: a hold point (runtime/thread_hold.h).
void rt_sync_point();

// Called by rt_sync_point on the virtual clock with the current time in microseconds.
using RtSyncPointHook = std::function<void(int64_t now_microseconds)>;
// Replaces the hook (an empty function removes it). Thread-safe; a hook call in progress on
// another thread finishes with the hook it started with.
void rt_set_sync_point_hook(RtSyncPointHook hook);
