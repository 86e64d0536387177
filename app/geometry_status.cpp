// The status bar's texts on the viewing geometry.
#include "app/geometry_status.h"

#include "app/acuity_levels.h"
#include "app/landolt_ring.h"
#include "app/viewing_parameters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr double MEASURABLE_GAP_PX = 1.0;

// The nearest whole distance from which every ring of level v has a gap of a pixel or more;
// nothing when that is beyond the farthest distance the dialog accepts (10 m), which no advice
// may name. The ideal gap grows in proportion to the distance, so a gap of g pixels at distance d
// is one pixel from d / g on; the drawn gap follows it in steps of the pixels, so the distance is
// found by halving an interval that holds that estimate. The gap drawn grows with the distance,
// if not smoothly, so the halving lands on the first distance that draws it.
std::optional<int32_t> measurable_from(float v, float distance_cm, float diagonal_in, int16_t width,
                                       int16_t height, int32_t nx, int32_t ny) {
    constexpr auto FARTHEST = static_cast<int32_t>(APP_DISTANCE_MAX_CM);
    const double ideal = app_ring_gap_pixels(v, distance_cm, diagonal_in, nx, ny);
    const double rounded_up = std::ceil(distance_cm / ideal);
    if (!(rounded_up / 2 <= FARTHEST)) // also a gap of no size at all
        return std::nullopt;
    const auto estimate = static_cast<int32_t>(rounded_up);
    const auto measurable = [&](int32_t d) {
        return app_ring_gap_drawn_pixels(v, static_cast<float>(d), diagonal_in, width, height, nx,
                                         ny) >= MEASURABLE_GAP_PX;
    };
    int32_t low = std::max(1, estimate / 2);             // not measurable, or the answer itself
    int32_t high = std::min(2 * estimate + 1, FARTHEST); // measurable, unless beyond
    if (measurable(low))
        return low;
    if (!measurable(high))
        return high == 2 * estimate + 1 ? std::optional(estimate) : std::nullopt;
    while (high - low > 1) {
        const int32_t middle = low + (high - low) / 2;
        (measurable(middle) ? high : low) = middle;
    }
    return high;
}

// "с 450 см", or "лишь дальше 10 м" when no distance the dialog accepts will do.
std::string from_text(std::optional<int32_t> distance_cm) {
    return distance_cm ? "с " + std::to_string(*distance_cm) + " см" : "лишь дальше 10 м";
}

} // namespace

std::string app_geometry_status_text(float distance_cm, float diagonal_in, int16_t width,
                                     int16_t height, int32_t nx, int32_t ny) {
    // Up to the first level that cannot be measured: the drawn gap does not shrink smoothly with
    // the level, and a higher level that happens to draw a pixel of gap does not make the one
    // below it measurable.
    std::optional<float> highest;
    for (int32_t index = ACUITY_FIRST_TRIED_INDEX; index < ACUITY_HIGHEST_INDEX; ++index) {
        const float v = app_acuity_level(index);
        if (app_ring_gap_drawn_pixels(v, distance_cm, diagonal_in, width, height, nx, ny) <
            MEASURABLE_GAP_PX)
            break;
        highest = v;
    }
    const auto distance_for = [&](float v) {
        return measurable_from(v, distance_cm, diagonal_in, width, height, nx, ny);
    };
    std::string text = highest ? "Измеримая острота: до " + app_acuity_text(*highest)
                               : "Разрыв кольца меньше пикселя даже при 0.1";
    if (!highest || *highest < 2.0f) {
        text += "; 1.0 измерима " + from_text(distance_for(1.0f)) + ", 2.0 — " +
                from_text(distance_for(2.0f));
    }
    return text;
}

std::string app_level_status_text(float v, double gap_drawn_pixels) {
    char gap[32];
    std::snprintf(gap, sizeof gap, "%.1f", gap_drawn_pixels);
    std::string text = "Острота " + app_acuity_text(v) + ": разрыв кольца " + gap + " пикс.";
    if (gap_drawn_pixels < MEASURABLE_GAP_PX)
        text += " — меньше пикселя, этот уровень на таком экране не измерить";
    return text;
}
