// Drawing the Landolt ring.
#include "app/landolt_ring.h"

#include "app/landolt_shape.h"
#include "app/random.h"
#include "app/rgb_colors.h"
#include "framework/graphics/gw_graphics.h"
#include "runtime/math.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The reference distance and acuity: at 500 cm a ring for 0.1 has the reference sizes.
constexpr float REFERENCE_DISTANCE_CM = 500.0f;
constexpr float REFERENCE_ACUITY = 0.1f;
constexpr float MM_PER_INCH = 25.4f;

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

double app_ring_gap_drawn_pixels(float v, float distance_cm, float diagonal_in, int16_t width,
                                 int16_t height, int32_t nx, int32_t ny) {
    const double s = app_ring_scale(v, distance_cm, diagonal_in, nx, ny);
    double narrowest = 0.0;
    bool first = true;
    for (const int32_t side : {RING_GAP_LEFT, RING_GAP_RIGHT}) {
        for (const int32_t tilt : {-45, 0, 45}) {
            const LandoltShape shape = app_landolt_shape(s, width / 2.0, height / 2.0, side, tilt);
            const double gap =
                app_landolt_gap_drawn(shape, app_landolt_greys(shape, width, height));
            narrowest = first ? gap : std::min(narrowest, gap);
            first = false;
        }
    }
    return narrowest;
}

// The centre keeps its half pixel: with an odd width it is the middle of a pixel, with an even
// one the edge between two. Everything white is cleared first; the grey pixels then go to the
// surface in one call, so the ring appears whole.
int32_t app_draw_landolt_ring(float v, float distance_cm, float diagonal_in, int16_t width,
                              int16_t height, int32_t nx, int32_t ny, LandoltRingDrawn* drawn) {
    const float s = app_ring_scale(v, distance_cm, diagonal_in, nx, ny);
    const float cx = static_cast<float>(width) / 2.0f;
    const float cy = static_cast<float>(height) / 2.0f;

    gw_set_color_rgb(RGB_WHITE);
    gw_rectangle(GW_FILLED, 0, 0, nx - 1, ny - 1);

    LandoltRingDrawn ring;
    ring.side = app_ring_side(app_random_uniform());
    ring.tilt = app_ring_tilt(app_random_uniform());
    const LandoltShape shape = app_landolt_shape(s, cx, cy, ring.side, ring.tilt);
    const LandoltGreys greys = app_landolt_greys(shape, width, height);

    std::vector<int16_t> xs;
    std::vector<int16_t> ys;
    std::vector<int32_t> colors;
    bool any = false;
    for (int32_t y = greys.y1; y < greys.y1 + greys.rows; ++y) {
        for (int32_t x = greys.x1; x < greys.x1 + greys.columns; ++x) {
            const uint8_t grey = greys.at(x, y);
            if (grey == 255)
                continue;
            xs.push_back(static_cast<int16_t>(x));
            ys.push_back(static_cast<int16_t>(y));
            colors.push_back(static_cast<int32_t>(grey) * 0x010101);
            if (!any) {
                ring.x1 = ring.x2 = x;
                ring.y1 = ring.y2 = y;
                any = true;
            }
            ring.x1 = std::min(ring.x1, x);
            ring.x2 = std::max(ring.x2, x);
            ring.y2 = y;
        }
    }
    gw_set_pixels_rgb(static_cast<int32_t>(xs.size()), xs.data(), ys.data(), colors.data());
    ring.gap_drawn_px = app_landolt_gap_drawn(shape, greys);
    if (drawn)
        *drawn = ring;
    return ring.side;
}
