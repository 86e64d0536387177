// Time under modal boxes. A box over the program (an instruction, a warning) keeps the user's
// clicks from the drawing window; an answer window that went on meanwhile would count that time
// against the user. The boxes say when they are up; answer clocks leave that time out. A frame
// that is away (hidden, behind another program's window that has the keyboard, or too small to
// show the picture) keeps the picture from the user in the same way, and counts as one more box.
#pragma once

#include <cstdint>

// A modal box is up from here / is down again. Nested boxes count once. rt_modal_end wakes the
// program's waits (rt_wake), so an answer window goes on at once. Any thread.
void rt_modal_begin();
void rt_modal_end();

// The frame is away from the user (true) or back (false): while it is away it counts as a box
// that is up. Saying the same twice changes nothing. Coming back wakes the program's waits.
// Any thread.
void rt_modal_set_away(bool away);

// Whether the frame is away now. Any thread.
bool rt_modal_away();

// Whether a modal box is up now, or the frame is away. Any thread.
bool rt_modal_up();

// The time, on the run-time's clock, that modal boxes have been up or the frame away since the
// program started, the time up to now included. An answer window's time is the clock's since its start less this
// one's. Any thread.
int64_t rt_modal_microseconds();
