// Time under modal boxes. A box over the program (an instruction, a warning) keeps the user's
// clicks from the drawing window; an answer window that went on meanwhile would count that time
// against the user. The boxes say when they are up; answer clocks leave that time out.
#pragma once

#include <cstdint>

// A modal box is up from here / is down again. Nested boxes count once. rt_modal_end wakes the
// program's waits (rt_wake), so an answer window goes on at once. Any thread.
void rt_modal_begin();
void rt_modal_end();

// Whether a modal box is up now. Any thread.
bool rt_modal_up();

// The time, on the run-time's clock, that modal boxes have been up since the program started,
// the box up now included. An answer window's time is the clock's since its start less this
// one's. Any thread.
int64_t rt_modal_microseconds();
