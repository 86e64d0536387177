// The run-time's clock: real or virtual seconds, the idle step of every polling wait, and waking.
#pragma once

#include "runtime/date_time.h"

#include <chrono>
#include <cstdint>
#include <functional>

// Two clocks. The real clock counts the seconds since the program started (monotonic, not the
// wall clock). The virtual clock, for deterministic runs, starts at 0 and moves only when the
// program idles (rt_idle_step, 1 ms each) or plays a tone (its duration): drawing and computing
// take no virtual time, so a run repeats exactly. Virtual time is kept as a whole number of
// microseconds, so 5000 idle steps are exactly 5 s.
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

// One step of a polling wait: every loop that waits for shared state calls it once per poll.
// Real clock: sleeps until rt_wake is called (by any thread, since this thread's previous step)
// or 1 ms has passed, whichever is first; it never spins. Virtual clock: advances time by
// exactly 1 ms (calling the advance hook) and returns. Thread-safe.
void rt_idle_step();

// Tells the waiting threads that shared state has changed, so that a sleeping idle step returns
// at once and a thread that was not sleeping returns from its next one at once. Callable from any
// thread, callbacks included; cheap. On the virtual clock it changes nothing about time.
void rt_wake();

// The real-time wait beneath the idle step, on either clock: sleeps until rt_wake has been called
// since this thread's previous wait or idle step, or until `longest` has passed. Returns true
// when woken. Thread-safe.
bool rt_wait_for_wake(std::chrono::milliseconds longest);

// Virtual clock: moves time forward by `microseconds` (nothing for 0 or less) and calls the
// advance hook. Real clock: does nothing, real time passes by itself. Thread-safe.
void rt_clock_advance(int64_t microseconds);

// Stops the virtual clock where it stands: later advances change nothing and call no hook, until
// rt_use_virtual_clock starts it again. The thread that ends the process holds it first, so that
// threads still running until the exit cannot move the time of the run's last events.
// Thread-safe.
void rt_hold_virtual_clock();

// Called after every advance of the virtual clock with the new time in microseconds, on the
// advancing thread and outside every lock of the clock, so it may block: the scripted user uses
// it to hold the application thread until an action due by then has been carried out.
using RtClockAdvanceHook = std::function<void(int64_t now_microseconds)>;
// Replaces the hook (an empty function removes it). Thread-safe; a hook call in progress on
// another thread finishes with the hook it started with.
void rt_set_clock_advance_hook(RtClockAdvanceHook hook);

// A sync point: the application calls it wherever it checks the shared input state without
// idling (after each grating row, after each figure tile), because on the virtual clock drawing
// takes no time and has no idle step. Real clock: does nothing. Virtual clock: calls the sync
// hook with the current time, WITHOUT advancing it, on the calling thread and outside every lock
// of the clock, so the hook may block: the scripted user carries out the actions already due, and
// a scripted click can land in the middle of a drawing exactly as it would in real time.
void rt_sync_point();

// Called by rt_sync_point on the virtual clock with the current time in microseconds.
using RtSyncPointHook = std::function<void(int64_t now_microseconds)>;
// Replaces the hook (an empty function removes it). Thread-safe; a hook call in progress on
// another thread finishes with the hook it started with.
void rt_set_sync_point_hook(RtSyncPointHook hook);
