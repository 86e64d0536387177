// Which acuity levels a screen can show at the user's distance: a ring can be shown while its
// ideal gap is at least half a device pixel. Drawn by coverage, such a gap still lets through
// its share of light; below that it is no more than a faint shade on one pixel.
#pragma once

#include <cstdint>

inline constexpr double SHOWABLE_GAP_PX = 0.5;

// Whether a ring with this ideal gap, in device pixels, can be shown. The one rule that the
// vision test's levels, its result and the status bar's advice all follow.
bool app_gap_showable(double ideal_gap_px);

// Whether the rings of acuity v can be shown from distance_cm on this screen.
bool app_level_showable(float v, float distance_cm, float diagonal_in, int32_t nx, int32_t ny);

// The index into ACUITY_LEVELS of the lowest level with a ring that cannot be shown, or
// ACUITY_HIGHEST_INDEX when every level up to 2.0 can be: the vision test's first upper bound.
// ACUITY_FIRST_TRIED_INDEX when not even 0.1 can be shown.
int32_t app_first_unshowable_index(float distance_cm, float diagonal_in, int32_t nx, int32_t ny);

// The nearest whole distance in centimetres from which the rings of acuity v can be shown on
// this screen. The ideal gap grows in proportion to the distance.
int32_t app_showable_from_cm(float v, float diagonal_in, int32_t nx, int32_t ny);
