// Measuring a Landolt ring on a drawn bitmap, the way one would with a loupe: the outer
// diameter from the black extent, the inner one down the centre column, the gap across the
// ring's band on the gap's side. Knows nothing of how the ring was drawn.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace test_support {

struct RingMeasured {
    double outer = 0.0; // the black extent, the larger of width and height
    double inner = 0.0; // white pixels between the arms down the centre column
    double gap = 0.0;   // the white width across the band, averaged over the band's radii
};

inline bool ring_black(const raster::Bitmap& bitmap, int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= bitmap.width() || y >= bitmap.height())
        return false;
    return raster::colorref_from_pixel(bitmap.pixel(x, y)) == 0x000000;
}

// The ring centred at (cx, cy) with ideal radii `outer_radius` and `inner_radius`, its gap in
// the direction (side, tilt). The gap's width is sampled along lines across the gap direction,
// a hundredth of a pixel at a time, at every quarter pixel of radius through the middle half of
// the band, and averaged. A closed ring measures 0.
inline RingMeasured measure_ring(const raster::Bitmap& bitmap, double cx, double cy,
                                 double outer_radius, double inner_radius, int32_t side,
                                 int32_t tilt) {
    RingMeasured measured;
    int32_t x1 = bitmap.width();
    int32_t y1 = bitmap.height();
    int32_t x2 = -1;
    int32_t y2 = -1;
    for (int32_t y = 0; y < bitmap.height(); ++y)
        for (int32_t x = 0; x < bitmap.width(); ++x)
            if (ring_black(bitmap, x, y)) {
                x1 = std::min(x1, x);
                x2 = std::max(x2, x);
                y1 = std::min(y1, y);
                y2 = std::max(y2, y);
            }
    if (x2 < 0)
        return measured;
    measured.outer = std::max(x2 - x1 + 1, y2 - y1 + 1);

    const auto column = static_cast<int32_t>(std::floor(cx));
    const auto row = static_cast<int32_t>(std::floor(cy));
    int32_t up = row;
    int32_t down = row;
    while (up >= 0 && !ring_black(bitmap, column, up))
        --up;
    while (down < bitmap.height() && !ring_black(bitmap, column, down))
        ++down;
    measured.inner = down - up - 1;

    const double angle = tilt * M_PI / 180.0;
    const double along_x = side * std::cos(angle);
    const double along_y = side * std::sin(angle);
    const auto white_at = [&](double x, double y) {
        return !ring_black(bitmap, static_cast<int32_t>(std::floor(x)),
                           static_cast<int32_t>(std::floor(y)));
    };
    // The white run through the gap's middle line, bounded by black on both sides within the
    // ring's size; a line that runs out of the ring (the band of a tiny ring is too thin there)
    // measures nothing.
    constexpr double STEP = 0.01;
    const auto run_to_black = [&](double x0, double y0, double direction) -> double {
        for (double t = STEP; t < 2.0 * outer_radius; t += STEP)
            if (!white_at(x0 - direction * t * along_y, y0 + direction * t * along_x))
                return t;
        return -1.0;
    };
    double total = 0.0;
    int32_t lines = 0;
    // Only the middle half of the band: nearer its edges a line across the gap runs along the
    // circles, and the staircase of their pixels would count as gap.
    const double quarter = (outer_radius - inner_radius) / 4.0;
    const double first = inner_radius + quarter;
    const double last = std::max(first, outer_radius - quarter);
    for (double radius = first; radius <= last + 1e-9; radius += 0.25) {
        const double x0 = cx + radius * along_x;
        const double y0 = cy + radius * along_y;
        if (!white_at(x0, y0)) {
            ++lines; // closed here
            continue;
        }
        const double one_way = run_to_black(x0, y0, 1.0);
        const double other_way = run_to_black(x0, y0, -1.0);
        if (one_way < 0.0 || other_way < 0.0)
            continue;
        total += one_way + other_way;
        ++lines;
    }
    measured.gap = lines > 0 ? total / lines : 0.0;
    return measured;
}

} // namespace test_support
