// The vision test's course: one level's counters and the bisection.
#include "app/acuity_course.h"

namespace {

constexpr int32_t RUN_TO_PASS = 10;
constexpr int32_t ERRORS_TO_FAIL = 3;
constexpr int32_t MISSES_TO_FAIL = 5;

} // namespace

const char* app_ring_verdict_name(RingVerdict verdict) {
    switch (verdict) {
    case RingVerdict::correct:
        return "correct";
    case RingVerdict::wrong:
        return "wrong";
    case RingVerdict::none:
        return "none";
    case RingVerdict::repeat:
        return "repeat";
    }
    return "none";
}

RingVerdict AcuityLevelCount::tell(RingAnswer answer) {
    switch (answer) {
    case RingAnswer::correct:
        ++m_run;
        m_misses = 0;
        return RingVerdict::correct;
    case RingAnswer::wrong:
        ++m_errors;
        m_run = 0;
        return RingVerdict::wrong;
    case RingAnswer::none:
        break;
    }
    if (m_first_level && m_run == 0 && m_errors == 0)
        return RingVerdict::repeat;
    ++m_misses;
    return RingVerdict::none;
}

LevelState AcuityLevelCount::state() const {
    if (m_errors >= ERRORS_TO_FAIL || m_misses >= MISSES_TO_FAIL)
        return LevelState::failed;
    if (m_run >= RUN_TO_PASS)
        return LevelState::passed;
    return LevelState::going_on;
}

void AcuityBisection::tell(bool passed) {
    if (m_result)
        return;
    if (passed) {
        if (m_mid >= m_hi - 1)
            m_result_index = m_mid;
        else
            m_lo = m_mid;
    } else {
        if (m_mid <= m_lo + 1)
            m_result_index = m_lo;
        else
            m_hi = m_mid;
    }
    if (m_result_index != 0)
        m_result = app_acuity_level(m_result_index);
    m_mid = m_lo + (m_hi - m_lo) / 2;
}
