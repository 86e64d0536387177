// Drawing the Landolt ring.
#include "app/landolt_ring.h"

#include "app/random.h"
#include "app/rgb_colors.h"
#include "framework/graphics/gw_graphics.h"
#include "runtime/math.h"

#include <array>
#include <cmath>

namespace {

// The reference distance and acuity: at 500 cm a ring for 0.1 has the reference sizes.
constexpr float REFERENCE_DISTANCE_CM = 500.0f;
constexpr float REFERENCE_ACUITY = 0.1f;
constexpr float MM_PER_INCH = 25.4f;

// Coordinates are rounded halves away from zero and kept as 16-bit values.
int16_t round16(float value) {
    return static_cast<int16_t>(rt_round_nearest(value));
}

} // namespace

// The geometry is computed in single precision throughout, as the viewing parameters are held;
// the rounding of every coordinate then matches from one run to the next and between machines.
float app_pixel_pitch_mm(float diagonal_in, int32_t nx, int32_t ny) {
    const auto across = static_cast<float>(nx);
    const auto down = static_cast<float>(ny);
    return MM_PER_INCH * diagonal_in / std::sqrt(across * across + down * down);
}

float app_ring_scale(float v, float distance_cm, float diagonal_in, int32_t nx, int32_t ny) {
    return (distance_cm / REFERENCE_DISTANCE_CM) * (REFERENCE_ACUITY / v) /
           app_pixel_pitch_mm(diagonal_in, nx, ny);
}

double app_ring_gap_pixels(float v, float distance_cm, float diagonal_in, int32_t nx, int32_t ny) {
    return static_cast<double>(LANDOLT_REFERENCE_MM.gap_width *
                               app_ring_scale(v, distance_cm, diagonal_in, nx, ny));
}

int32_t app_ring_side(float u1) {
    return u1 > 0.5f ? RING_GAP_RIGHT : RING_GAP_LEFT;
}

int32_t app_ring_tilt(float u2) {
    if (u2 < 0.333f)
        return -45;
    if (u2 >= 0.667f)
        return 45;
    return 0;
}

// The centre keeps its half pixel. The outer disc's box is rounded from cx - R .. cx + R; the
// inner disc's box is pulled in by half a pixel on each side before rounding, so that the ring
// keeps its width where both edges round the same way. The gap bar starts at the centre and runs
// past the outer edge on the gap's side only: in the ring's own frame (u along the gap, v across
// it) its corners are (0, -w), (0, w), (L, w), (L, -w), turned by the tilt about the centre.
int32_t app_draw_landolt_ring(float v, float distance_cm, float diagonal_in, int16_t width,
                              int16_t height, int32_t nx, int32_t ny, LandoltRingDrawn* drawn) {
    const float s = app_ring_scale(v, distance_cm, diagonal_in, nx, ny);
    const float cx = static_cast<float>(width) / 2.0f;
    const float cy = static_cast<float>(height) / 2.0f;

    gw_set_color_rgb(RGB_WHITE);
    gw_rectangle(GW_FILLED, 0, 0, nx - 1, ny - 1);

    const float outer = LANDOLT_REFERENCE_MM.outer_diameter / 2.0f * s;
    LandoltRingDrawn ring;
    ring.x1 = round16(cx - outer);
    ring.x2 = round16(cx + outer);
    ring.y1 = round16(cy - outer);
    ring.y2 = round16(cy + outer);
    gw_set_color_rgb(RGB_BLACK);
    gw_ellipse(GW_FILLED, ring.x1, ring.y1, ring.x2, ring.y2);

    const float inner = LANDOLT_REFERENCE_MM.inner_diameter / 2.0f * s;
    gw_set_color_rgb(RGB_WHITE);
    gw_ellipse(GW_FILLED, round16(cx - inner + 0.5f), round16(cy - inner + 0.5f),
               round16(cx + inner - 0.5f), round16(cy + inner - 0.5f));

    ring.side = app_ring_side(app_random_uniform());
    ring.tilt = app_ring_tilt(app_random_uniform());

    const float length =
        static_cast<float>(ring.side) * LANDOLT_REFERENCE_MM.gap_bar_length / 2.0f * s;
    const float half_width = LANDOLT_REFERENCE_MM.gap_width / 2.0f * s;
    const auto cosine = static_cast<float>(rt_cos_degrees(ring.tilt));
    const auto sine = static_cast<float>(rt_sin_degrees(ring.tilt));
    const std::array<std::array<float, 2>, 4> frame_corners{
        {{0.0f, -half_width}, {0.0f, half_width}, {length, half_width}, {length, -half_width}}};
    std::array<gw_point16, 4> corners;
    for (size_t i = 0; i < corners.size(); ++i) {
        const float u = frame_corners[i][0];
        const float w = frame_corners[i][1];
        corners[i].x = round16(cx + u * cosine - w * sine);
        corners[i].y = round16(cy + u * sine + w * cosine);
    }
    gw_polygon(GW_FILLED, corners.data(), static_cast<int32_t>(corners.size()));

    if (drawn)
        *drawn = ring;
    return ring.side;
}
