// The clock of an answer window.
#include "app/answer_clock.h"

#include "runtime/clock.h"
#include "runtime/modal_time.h"

AnswerClock::AnswerClock()
    : m_start_us(rt_clock_microseconds()), m_boxes_at_start_us(rt_modal_microseconds()) {}

int64_t AnswerClock::elapsed_us() const {
    return rt_clock_microseconds() - m_start_us - (rt_modal_microseconds() - m_boxes_at_start_us);
}

// The deadline on the run-time's clock moves on by the time boxes have been up; while one is up
// there is no deadline, only the box's closing, which wakes the wait.
void AnswerClock::wait_for(int64_t span_us) const {
    if (rt_modal_up()) {
        rt_wait();
        return;
    }
    rt_wait_until(m_start_us + span_us + (rt_modal_microseconds() - m_boxes_at_start_us));
}
