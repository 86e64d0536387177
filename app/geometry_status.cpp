// The status bar's texts on the viewing geometry.
#include "app/geometry_status.h"

#include "app/landolt_ring.h"
#include "app/vision_test.h"

#include <cmath>
#include <cstdio>
#include <optional>

// The gap grows in proportion to the distance, so a gap of g pixels at distance d is one pixel
// from d / g on.
std::string app_geometry_status_text(float distance_cm, float diagonal_in, int32_t nx, int32_t ny) {
    std::optional<float> highest;
    for (int32_t index = ACUITY_FIRST_TRIED_INDEX; index < ACUITY_HIGHEST_INDEX; ++index) {
        const float v = app_acuity_level(index);
        if (app_ring_gap_pixels(v, distance_cm, diagonal_in, nx, ny) >= 1.0)
            highest = v;
    }
    const auto distance_for = [&](float v) {
        const double gap = app_ring_gap_pixels(v, distance_cm, diagonal_in, nx, ny);
        return static_cast<int32_t>(std::ceil(distance_cm / gap));
    };
    std::string text = highest ? "Измеримая острота: до " + app_acuity_text(*highest)
                               : "Разрыв кольца меньше пикселя даже при 0.1";
    if (!highest || *highest < 2.0f) {
        text += "; 1.0 измерима с " + std::to_string(distance_for(1.0f)) + " см, 2.0 — с " +
                std::to_string(distance_for(2.0f)) + " см";
    }
    return text;
}

std::string app_level_status_text(float v, double gap_pixels) {
    char gap[32];
    std::snprintf(gap, sizeof gap, "%.1f", gap_pixels);
    std::string text = "Острота " + app_acuity_text(v) + ": разрыв кольца " + gap + " пикс.";
    if (gap_pixels < 1.0)
        text += " — меньше пикселя, этот уровень на таком экране не измерить";
    return text;
}
