// The acuity table the vision test bisects over, and an acuity as the program writes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The trial acuities, indexed from 1 by the bisection. The first (0.0) and the last (10.0) are
// bounds only: no ring is drawn for them.
inline constexpr std::array<float, 15> ACUITY_LEVELS{
    0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.25f, 1.5f, 2.0f, 10.0f};
inline constexpr int32_t ACUITY_LOWEST_INDEX = 1;
inline constexpr int32_t ACUITY_HIGHEST_INDEX = 15;
inline constexpr int32_t ACUITY_FIRST_TRIED_INDEX = 2;

// ACUITY_LEVELS by its 1-based index.
float app_acuity_level(int32_t index);

// An acuity as the trace and the status bar write it: the table value with one or two decimals
// ("0.1", "1.25", "2.0").
std::string app_acuity_text(float acuity);
