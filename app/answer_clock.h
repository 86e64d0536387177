// The clock of an answer window: the time the user has had the picture in front of them.
#pragma once

#include <cstdint>

// Runs from its start (t0) on the run-time's clock, and stands still while a modal box is up
// over the program (an instruction asked for from the menu, a warning): clicks cannot reach the
// drawing window then, so that time is not the user's. When the box closes the window goes on
// where it was. Application thread.
class AnswerClock {
public:
    // Starts now.
    AnswerClock();

    // The time in the window so far, boxes left out.
    int64_t elapsed_us() const;

    // Waits, asleep, until `span_us` of the window's time has passed, or the shared state
    // changes (rt_wake), or the scripted user acts. While a box is up it waits for the box.
    void wait_for(int64_t span_us) const;

private:
    int64_t m_start_us;
    int64_t m_boxes_at_start_us;
};
