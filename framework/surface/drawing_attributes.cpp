// The graphics state turned into the raster engine's pens, brushes and raster operations.
#include "framework/surface/drawing_attributes.h"

#include <bit>

namespace framework {

// The pen style depends only on how many of the 16 mask bits are set, not on where they are.
raster::PenStyle pen_style_for_line_style(int16_t line_style) {
    const int bits = std::popcount(static_cast<uint16_t>(line_style));
    if (bits == 16)
        return raster::PenStyle::solid;
    if (bits >= 11)
        return raster::PenStyle::dash;
    if (bits == 10)
        return raster::PenStyle::dash_dot;
    if (bits == 9)
        return raster::PenStyle::dash_dot_dot;
    if (bits >= 1)
        return raster::PenStyle::dot;
    return raster::PenStyle::null;
}

raster::RasterOp raster_op_for_write_mode(WriteMode mode) {
    switch (mode) {
    case WriteMode::merge:
        return raster::RasterOp::merge_pen;
    case WriteMode::mask:
        return raster::RasterOp::mask_pen;
    case WriteMode::not_pen:
        return raster::RasterOp::not_copy_pen;
    case WriteMode::copy:
        return raster::RasterOp::copy_pen;
    case WriteMode::exclusive_or:
        return raster::RasterOp::xor_pen;
    }
    return raster::RasterOp::copy_pen;
}

void select_line_attributes(raster::DrawingContext& context, const GraphicsState& state,
                            const Palette& palette) {
    raster::DrawState& draw = context.state();
    draw.pen.style = state.pen_style;
    draw.pen.color = palette.resolve(state.graphics_color);
    draw.raster_op = raster_op_for_write_mode(state.write_mode);
    draw.background_mode = raster::BackgroundMode::transparent;
}

void select_shape_attributes(raster::DrawingContext& context, const GraphicsState& state,
                             const Palette& palette, ShapeKind kind, ShapeControl control) {
    raster::DrawState& draw = context.state();
    const raster::ColorRef color = palette.resolve(state.graphics_color);
    const bool ellipse = kind == ShapeKind::ellipse;
    draw.pen.style = ellipse ? raster::PenStyle::solid : state.pen_style;
    draw.pen.color = color;
    draw.background_mode = raster::BackgroundMode::transparent;
    if (control == ShapeControl::outline) {
        draw.raster_op =
            ellipse ? raster::RasterOp::copy_pen : raster_op_for_write_mode(state.write_mode);
        draw.brush = raster::Brush::null();
        return;
    }
    draw.raster_op = raster::RasterOp::copy_pen;
    if (!state.fill_mask) {
        draw.brush = raster::Brush::solid(color);
        return;
    }
    draw.brush = raster::Brush::with_pattern(*state.fill_mask);
    draw.text_color = palette.entry_color(0);
    draw.background_color = color;
}

} // namespace framework
