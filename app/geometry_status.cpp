// The status bar's texts on the viewing geometry.
#include "app/geometry_status.h"

#include "app/acuity_levels.h"
#include "app/landolt_ring.h"
#include "platform/language/catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr double MEASURABLE_GAP_PX = 1.0;

// The nearest whole distance from which every ring of level v has a gap of a pixel or more.
// The ideal gap grows in proportion to the distance, so a gap of g pixels at distance d is one
// pixel from d / g on; the drawn gap follows it in steps of the pixels, so the distance is
// found by halving an interval that holds that estimate. The gap drawn grows with the
// distance, if not smoothly, so the halving lands on the first distance that draws it.
int32_t measurable_from(float v, float distance_cm, float diagonal_in, int16_t width,
                        int16_t height, int32_t nx, int32_t ny) {
    const double ideal = app_ring_gap_pixels(v, distance_cm, diagonal_in, nx, ny);
    const auto estimate = static_cast<int32_t>(std::ceil(distance_cm / ideal));
    const auto measurable = [&](int32_t d) {
        return app_ring_gap_drawn_pixels(v, static_cast<float>(d), diagonal_in, width, height, nx,
                                         ny) >= MEASURABLE_GAP_PX;
    };
    int32_t low = std::max(1, estimate / 2); // not measurable, or the answer itself
    int32_t high = 2 * estimate + 1;         // measurable
    if (measurable(low))
        return low;
    if (!measurable(high))
        return estimate;
    while (high - low > 1) {
        const int32_t middle = low + (high - low) / 2;
        (measurable(middle) ? high : low) = middle;
    }
    return high;
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
    std::string text =
        highest ? language::fill_in(language::translate("status bar", "Измеримая острота: до %1"),
                                    {app_acuity_text(*highest)})
                : language::translate("status bar", "Разрыв кольца меньше пикселя даже при 0.1");
    if (!highest || *highest < 2.0f) {
        text += language::fill_in(
            language::translate("status bar", "; 1.0 измерима с %1 см, 2.0 — с %2 см"),
            {std::to_string(distance_for(1.0f)), std::to_string(distance_for(2.0f))});
    }
    return text;
}

std::string app_level_status_text(float v, double gap_drawn_pixels) {
    char gap[32];
    std::snprintf(gap, sizeof gap, "%.1f", gap_drawn_pixels);
    std::string text =
        language::fill_in(language::translate("status bar", "Острота %1: разрыв кольца %2 пикс."),
                          {app_acuity_text(v), gap});
    if (gap_drawn_pixels < MEASURABLE_GAP_PX)
        text += language::translate("status bar",
                                    " — меньше пикселя, этот уровень на таком экране не измерить");
    return text;
}
