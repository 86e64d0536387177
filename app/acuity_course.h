// The vision test's course as plain logic: the counters of one level and the bisection over the
// acuity table. Told each ring's answer and each level's end, it names the next level or the
// result; the vision test draws, times and records around it, and simulations drive the same.
#pragma once

#include "app/acuity_levels.h"

#include <cstdint>
#include <optional>

// What became of one ring.
enum class RingAnswer { correct, wrong, none };

// How a ring counted: `repeat` is an unanswered ring at the first level before any answer, which
// is not counted at all.
enum class RingVerdict { correct, wrong, none, repeat };

const char* app_ring_verdict_name(RingVerdict verdict);

// Where a level stands after a ring.
enum class LevelState { going_on, passed, failed };

// One level: ten correct answers without a wrong one between them pass it; three wrong answers
// in all, or five unanswered rings since the last correct answer, fail it (errors are looked at
// first). An unanswered ring does not break a run of correct answers.
class AcuityLevelCount {
public:
    // At the first level the test waits, ring after ring, for the user's first answer.
    explicit AcuityLevelCount(bool first_level) : m_first_level(first_level) {}

    // Counts one ring and says how it counted.
    RingVerdict tell(RingAnswer answer);
    LevelState state() const;

private:
    bool m_first_level;
    int32_t m_run = 0;
    int32_t m_errors = 0;
    int32_t m_misses = 0;
};

// The bisection over the indices of ACUITY_LEVELS. It starts with lo = 1, hi = `highest_index`
// and the first level 0.1; a passed level raises lo, a failed one lowers hi, until the two are
// neighbours: the result is the best level passed (0.0 when none was).
class AcuityBisection {
public:
    explicit AcuityBisection(int32_t highest_index = ACUITY_HIGHEST_INDEX)
        : m_highest(highest_index), m_hi(highest_index) {}

    // The level to run next (meaningless once finished).
    int32_t level_index() const { return m_mid; }
    float level() const { return app_acuity_level(m_mid); }

    // The level under way has ended; afterwards either the result is known or the next level is.
    void tell(bool passed);
    std::optional<float> result() const { return m_result; }
    // The result is the best level the bisection could reach: the truth may lie above it.
    bool result_at_limit() const { return m_result && m_result_index == m_highest - 1; }

private:
    int32_t m_highest;
    int32_t m_lo = ACUITY_LOWEST_INDEX;
    int32_t m_hi;
    int32_t m_result_index = 0;
    int32_t m_mid = ACUITY_FIRST_TRIED_INDEX;
    std::optional<float> m_result;
};
