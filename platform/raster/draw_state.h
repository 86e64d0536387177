// The drawing state: pen, brush, raster operation, modes, positions and clip in one plain record,
// what every stage of the raster engine reads and a drawing context carries.
#pragma once

#include "platform/raster/color.h"
#include "platform/raster/geometry.h"
#include "platform/raster/region.h"

#include <array>
#include <cstdint>
#include <optional>

namespace raster {

// Cosmetic pen styles, one pixel wide. A styled pen's dashes run along the major axis:
// dash 18 on 6 off, dot 3 on 3 off, dash-dot 9-6-3-6, dash-dot-dot 9-3-3-3-3-3.
enum class PenStyle : uint8_t { solid, dash, dot, dash_dot, dash_dot_dot, null };

struct Pen {
    PenStyle style = PenStyle::solid;
    ColorRef color = 0x000000;
};

enum class BrushStyle : uint8_t { solid, null, hatched, pattern };
enum class HatchStyle : uint8_t {
    horizontal,
    vertical,
    forward_diagonal,
    backward_diagonal,
    cross,
    diagonal_cross
};

// A pattern brush is an 8 x 8 one-bit bitmap, one byte per row from the top, most significant
// bit leftmost. Clear bits are painted in the context's text colour, set bits in its background
// colour, anchored at the brush origin.
struct Brush {
    BrushStyle style = BrushStyle::solid;
    ColorRef color = 0xFFFFFF;
    HatchStyle hatch = HatchStyle::horizontal;
    std::array<uint8_t, 8> pattern{};

    static Brush solid(ColorRef color) { return {BrushStyle::solid, color, {}, {}}; }
    static Brush null() { return {BrushStyle::null, 0, {}, {}}; }
    static Brush hatched(HatchStyle hatch, ColorRef color) {
        return {BrushStyle::hatched, color, hatch, {}};
    }
    static Brush with_pattern(const std::array<uint8_t, 8>& rows) {
        return {BrushStyle::pattern, 0, {}, rows};
    }
};

// The sixteen binary raster operations, numbered as the platform numbers them.
enum class RasterOp : uint8_t {
    black = 1,
    not_merge_pen,
    mask_not_pen,
    not_copy_pen,
    mask_pen_not,
    invert, // NOT destination
    xor_pen,
    not_mask_pen,
    mask_pen,
    not_xor_pen,
    nop,
    merge_not_pen,
    copy_pen,
    merge_pen_not,
    merge_pen,
    white
};

enum class BackgroundMode : uint8_t { transparent = 1, opaque = 2 };
enum class PolygonFillMode : uint8_t { alternate = 1, winding = 2 };

// Everything a drawing call depends on, in one plain record.
struct DrawState {
    Pen pen;
    Brush brush;
    RasterOp raster_op = RasterOp::copy_pen;
    BackgroundMode background_mode = BackgroundMode::opaque;
    ColorRef background_color = 0xFFFFFF;
    ColorRef text_color = 0x000000;
    PolygonFillMode fill_mode = PolygonFillMode::alternate;
    Point brush_origin;
    Point position;
    std::optional<Region> clip; // none: the whole bitmap
};

} // namespace raster
