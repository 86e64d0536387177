// Which acuity levels a screen can show.
#include "app/showable_levels.h"

#include "app/acuity_levels.h"
#include "app/landolt_ring.h"

#include <algorithm>
#include <cmath>

bool app_gap_showable(double ideal_gap_px) {
    return ideal_gap_px >= SHOWABLE_GAP_PX;
}

bool app_level_showable(float v, float distance_cm, float diagonal_in, int32_t nx, int32_t ny) {
    return app_gap_showable(app_ring_gap_pixels(v, distance_cm, diagonal_in, nx, ny));
}

int32_t app_first_unshowable_index(float distance_cm, float diagonal_in, int32_t nx, int32_t ny) {
    for (int32_t index = ACUITY_FIRST_TRIED_INDEX; index < ACUITY_HIGHEST_INDEX; ++index) {
        if (!app_level_showable(app_acuity_level(index), distance_cm, diagonal_in, nx, ny))
            return index;
    }
    return ACUITY_HIGHEST_INDEX;
}

// From the gap at a metre, the distance follows; the single-precision geometry may round the
// gap at that distance a hair either side of half a pixel, so the neighbours are checked against
// the rule. A screen so coarse or so fine that the distance is out of all reason gives the
// largest distance there is.
int32_t app_showable_from_cm(float v, float diagonal_in, int32_t nx, int32_t ny) {
    constexpr double FARTHEST = 1e9;
    const double per_cm = app_ring_gap_pixels(v, 100.0f, diagonal_in, nx, ny) / 100.0;
    const double estimate = per_cm > 0.0 ? std::ceil(SHOWABLE_GAP_PX / per_cm) : FARTHEST;
    auto distance = static_cast<int32_t>(std::clamp(estimate, 1.0, FARTHEST));
    const auto showable = [&](int32_t d) {
        return app_level_showable(v, static_cast<float>(d), diagonal_in, nx, ny);
    };
    for (int32_t step = 0; step < 4 && distance > 1 && showable(distance - 1); ++step)
        --distance;
    for (int32_t step = 0; step < 4 && !showable(distance); ++step)
        ++distance;
    return distance;
}
