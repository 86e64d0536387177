// Measuring a Landolt ring on a drawn bitmap, in the light the screen sends out: each pixel's
// 8-bit code is turned back into linear light through the inverse sRGB curve. The ring's
// darkness is the light it takes away from white, summed; its gap is the light that comes
// through across the gap beyond what comes through the closed band opposite. Knows nothing of
// how the ring was drawn.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace test_support {

struct RingMeasured {
    double darkness = 0.0; // square pixels of full black the ring amounts to
    double gap = 0.0;      // the gap's light as the width of an ideal gap, in pixels
    // The extent of the pixels that are not white, inclusive; x2 < 0 when every pixel is white.
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = -1;
    int32_t y2 = -1;
};

// The light of an sRGB code, 0 black to 1 white.
inline double linear_light(uint32_t code) {
    const double coded = code / 255.0;
    return coded <= 0.04045 ? coded / 12.92 : std::pow((coded + 0.055) / 1.055, 2.4);
}

// The light of a pixel, grey or not (the mean of its three channels); white outside the bitmap.
inline double light_at(const raster::Bitmap& bitmap, int32_t x, int32_t y) {
    static const std::array<double, 256> lights = [] {
        std::array<double, 256> table{};
        for (uint32_t code = 0; code < 256; ++code)
            table[code] = linear_light(code);
        return table;
    }();
    if (x < 0 || y < 0 || x >= bitmap.width() || y >= bitmap.height())
        return 1.0;
    const uint32_t rgb = raster::colorref_from_pixel(bitmap.pixel(x, y));
    if (rgb == 0xFFFFFF)
        return 1.0;
    return (lights[rgb & 0xFF] + lights[(rgb >> 8) & 0xFF] + lights[(rgb >> 16) & 0xFF]) / 3.0;
}

// The area that a gap of half-width w takes out of the band between radii r and big_r: the
// strip u >= 0, |v| < w inside the outer disc less inside the inner one.
inline double gap_area(double w, double big_r, double r) {
    const auto in_disc = [w](double rho) {
        return w * std::sqrt(rho * rho - w * w) + rho * rho * std::asin(w / rho);
    };
    return in_disc(big_r) - in_disc(r);
}

// The ring centred at (cx, cy), where cx and cy are whole or half pixels, with ideal radii
// `outer_radius` and `inner_radius` and ideal gap width `gap_width`, its gap in the direction
// (side, tilt). The gap is read from the pixels whose centres lie on the gap's half within a
// pixel and a half of the gap's edges, each less its partner opposite through the centre, and
// scaled by the ideal gap's width over its area.
inline RingMeasured measure_ring(const raster::Bitmap& bitmap, double cx, double cy,
                                 double outer_radius, double inner_radius, double gap_width,
                                 int32_t side, int32_t tilt) {
    RingMeasured measured;
    measured.x1 = bitmap.width();
    measured.y1 = bitmap.height();
    const double angle = tilt * M_PI / 180.0;
    const double along_x = side * std::cos(angle);
    const double along_y = side * std::sin(angle);
    const auto mirror_x = static_cast<int32_t>(std::lround(2.0 * cx)) - 1;
    const auto mirror_y = static_cast<int32_t>(std::lround(2.0 * cy)) - 1;
    // The extent over the whole bitmap, by the raw pixels; the light only where it can differ.
    const raster::Pixel white = raster::pixel_from_colorref(0xFFFFFF);
    for (int32_t y = 0; y < bitmap.height(); ++y) {
        for (int32_t x = 0; x < bitmap.width(); ++x) {
            if (bitmap.pixel(x, y) == white)
                continue;
            measured.darkness += 1.0 - light_at(bitmap, x, y);
            measured.x1 = std::min(measured.x1, x);
            measured.x2 = std::max(measured.x2, x);
            measured.y1 = std::min(measured.y1, y);
            measured.y2 = std::max(measured.y2, y);
        }
    }
    double gap_light = 0.0;
    const auto reach = static_cast<int32_t>(std::ceil(outer_radius)) + 3;
    for (int32_t y = static_cast<int32_t>(cy) - reach; y <= static_cast<int32_t>(cy) + reach; ++y) {
        for (int32_t x = static_cast<int32_t>(cx) - reach; x <= static_cast<int32_t>(cx) + reach;
             ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double u = dx * along_x + dy * along_y;
            const double v = dy * along_x - dx * along_y;
            if (u > 0.0 && std::abs(v) < gap_width / 2.0 + 1.5)
                gap_light += light_at(bitmap, x, y) - light_at(bitmap, mirror_x - x, mirror_y - y);
        }
    }
    measured.gap = gap_light * gap_width / gap_area(gap_width / 2.0, outer_radius, inner_radius);
    if (measured.x2 < 0)
        measured.x1 = measured.y1 = 0;
    return measured;
}

} // namespace test_support
