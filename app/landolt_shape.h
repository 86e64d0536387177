// The Landolt ring as an ideal shape, the grey pixels that show it, and its gap as drawn.
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

// The ideal ring's area in square pixels: the band between the circles less the part of it the
// gap bar takes away.
double app_landolt_area(const LandoltShape& shape);

// Display light and 8-bit pixel values: the sRGB transfer curve and its inverse. Linear light
// runs from 0 (black) to 1 (white).
uint8_t app_srgb_from_linear(double light);
double app_linear_from_srgb(uint8_t value);

// The ring as grey pixels over a box of the window: each pixel's value is the sRGB code of the
// light left by the fraction of its area that the ring covers (white less that fraction, in
// linear light). Outside the box, and wherever nothing of the ring falls, the pixels are white
// (255).
struct LandoltGreys {
    int32_t x1 = 0; // the box's first column and row
    int32_t y1 = 0;
    int32_t columns = 0;
    int32_t rows = 0;
    std::vector<uint8_t> values; // row by row

    uint8_t at(int32_t x, int32_t y) const;
};

// The ring's coverage of every pixel inside the `width` x `height` area from (0, 0), exact
// along each pixel row and summed over 64 lines per row, written as greys. A ring larger than
// the area costs no more than the area.
LandoltGreys app_landolt_greys(const LandoltShape& shape, int32_t width, int32_t height);

// The gap as drawn, in pixels: the width of the ideal gap that lets through as much light as
// the drawn one. The light is read back from the greys through the inverse sRGB curve; the gap's
// light is what the pixels across the gap, on the gap's half of the ring, let through beyond
// the pixels opposite them through the centre, where the ring is closed. Both halves are cut
// from the same band by the same pixel grid (the centre lies on a pixel's centre or corner),
// so the band's own soft edges cancel and only the gap remains, whether it is forty pixels wide
// or half a pixel and spread over two. A ring drawn closed measures 0.
double app_landolt_gap_drawn(const LandoltShape& shape, const LandoltGreys& greys);
