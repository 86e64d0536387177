// The calling thread's gw_thread_record and its active window.
#pragma once

#include "framework/windows/child_window.h"

#include <cstdint>

// One per thread that uses the framework, created on the thread's first framework call.
struct gw_thread_record {
    int32_t active_window = -1; // window number, -1 for none
    // The window table's record of active_window (records live as long as the process), so
    // that each call finds its window without a table lookup.
    gw_child_window* active_record = nullptr;
};

// The calling thread's active window, ready to draw into: resets the graphics status to 0, and
// applies the default configuration to a window that has none yet. The first call on a thread
// creates its record, whose active window is the default window. Returns nullptr, with status
// -1, when the thread has no active window or the window is closed.
gw_child_window* gw_get_active_window();

namespace framework {

namespace detail {
// The calling thread's record, with no window until the thread's first framework call makes it.
// Read inline by every gw_ call; constant-initialised, so reaching it costs no initialisation
// check.
inline thread_local gw_thread_record t_thread_record;
} // namespace detail

// The calling thread's active window number (-1 for none), creating its record when needed.
int32_t thread_active_window();
void set_thread_active_window(int32_t window_number);

} // namespace framework
