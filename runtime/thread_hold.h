// Holding the program's threads while it is paused: a held thread stops at its next hold point
// and goes on where it stopped when the hold ends.
#pragma once

#include <atomic>
#include <cstdint>

// A thread is stopped only where it can stop cleanly: at the run-time's waits and sync points
// (runtime/clock.h) and at the entry of a drawing call that takes its surface the slow way, never
// inside a call (the pausing side makes every drawing thread's next call take the slow way). A
// thread that computes without reaching a hold point runs on until it does; nothing it could change
// is seen meanwhile, since its windows and input are reached only through hold points.
//
// On the virtual clock a held thread waits in the run-time's wait, so time goes on to the
// scripted user's next action while the program is paused.

namespace rt_detail {
inline std::atomic<int32_t> g_threads_held{0};
}

// Makes the calling thread one that the hold stops. The window framework calls it for every
// thread other than the GUI thread that calls into it. Thread-local; idempotent.
void rt_mark_thread_holdable();

// Whether a hold point would stop the calling thread now: the hold is on, the thread is
// holdable, and it is not inside a hold point already (the scripted user's actions are carried
// out from inside the held thread's wait on the virtual clock).
bool rt_hold_stops_this_thread();

// Starts and ends the hold. Ending it wakes the held threads. Thread-safe.
void rt_hold_threads();
void rt_release_threads();

// Whether the hold is on: one relaxed load. Thread-safe.
inline bool rt_threads_held() {
    return rt_detail::g_threads_held.load(std::memory_order_relaxed) != 0;
}

// Defined with the run-time's waits (clock.cpp), in which a held thread waits.

// A hold point: when the hold is on and the calling thread is holdable, waits until the hold ends.
// Does nothing on other threads, or inside a hold point of the same thread.
void rt_hold_point();
