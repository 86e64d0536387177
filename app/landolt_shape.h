// The Landolt ring as an ideal shape, and the device pixels that show it.
#pragma once

#include <cstdint>
#include <vector>

// The ring's dimensions in reference millimetres: at 5 m a ring for acuity 0.1 has these sizes.
struct LandoltReference {
    float outer_diameter = 72.5f;
    float inner_diameter = 43.5f; // ring width 14.5, a fifth of the outer diameter
    float gap_width = 14.5f;
    float gap_bar_length = 76.5f; // twice the white bar, which reaches just past the outer edge
};
inline constexpr LandoltReference LANDOLT_REFERENCE_MM{};

// One ring in device pixels: its centre, radii and gap, its side and tilt. Pixel (x, y) covers
// [x, x + 1) x [y, y + 1), so its centre is (x + 0.5, y + 0.5).
struct LandoltShape {
    double cx = 0.0;
    double cy = 0.0;
    double outer_radius = 0.0;
    double inner_radius = 0.0;
    double gap_half_width = 0.0;
    int32_t side = 1; // +1 gap on the right, -1 on the left
    int32_t tilt = 0; // degrees; +45 turns a right-hand gap downwards (y grows downwards)
};

// The shape of a ring for pixels per reference millimetre `scale`, centred at (cx, cy).
LandoltShape app_landolt_shape(double scale, double cx, double cy, int32_t side, int32_t tilt);

// A run of black pixels in one row, x1..x2 inclusive.
struct PixelRun {
    int32_t y = 0;
    int32_t x1 = 0;
    int32_t x2 = 0;
};

// The ring sampled at pixel centres: a pixel is black when its centre lies inside the outer
// circle, not inside the inner one, and not on the gap bar, which runs from the centre along the
// gap's direction (past the outer edge) and is 2 x gap_half_width wide; every other is white. Only
// pixels inside the `width` x `height` area from (0, 0) are looked at, so a ring larger than the
// area costs no more than the area. Runs are ordered by row, then by x.
std::vector<PixelRun> app_landolt_pixels(const LandoltShape& shape, int32_t width, int32_t height);

// The gap as drawn, in pixels, as one would measure it with a loupe: the white run across the
// gap between the black on both sides, averaged over the middle half of the ring's band. For a
// gap along a pixel row this is the number of white rows; a gap that the pixels close
// measures 0.
double app_landolt_gap_drawn(const LandoltShape& shape);
