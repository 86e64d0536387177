// The vision test: Landolt rings level by level and a bisection over the acuity table.
#pragma once

#include <cstdint>

// The outcome of one level.
enum class LevelOutcome { failed, passed, aborted };

// Runs one level at acuity v: ring after ring until ten correct answers in a row (passed), three
// wrong answers or five unanswered rings since the last correct one (failed), or both buttons
// (aborted). `passed` becomes 1 or 0 and is left as it was on an abort. Application thread.
LevelOutcome app_test_acuity_level(float v, float distance_cm, float diagonal_in, int16_t width,
                                   int16_t height, int32_t nx, int32_t ny, int32_t& passed);
