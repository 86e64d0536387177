// Private to the framework: the graphics state turned into the raster engine's pens, brushes and
// raster operations.
#pragma once

#include "framework/surface/graphics_state.h"
#include "framework/surface/window_palette.h"
#include "platform/raster/drawing_context.h"

#include <cstdint>

namespace framework {

raster::PenStyle pen_style_for_line_style(int16_t line_style);
raster::RasterOp raster_op_for_write_mode(WriteMode mode);

enum class ShapeKind { rectangle, ellipse, polygon };
enum class ShapeControl { outline, filled };

// Lines: the styled pen in the graphics colour, the write mode's raster operation, gaps left
// untouched.
void select_line_attributes(raster::DrawingContext& context, const GraphicsState& state,
                            const Palette& palette);

// The pen, brush and raster operation of a shape (rectangle, ellipse or polygon):
//
//                      rectangle, polygon            ellipse
//   outline pen        line style, graphics colour   solid, graphics colour
//   operation, outline write mode                    copy
//   operation, filled  copy                          copy
//   interior           none when outlined, else the fill brush
//
// The fill brush is solid in the graphics colour, or with a fill mask a pattern whose set bits
// are the graphics colour and clear bits palette entry 0. The raster engine paints a pattern's
// clear bits in the text colour and its set bits in the background colour, so those two are
// set to entry 0 and the graphics colour.
void select_shape_attributes(raster::DrawingContext& context, const GraphicsState& state,
                             const Palette& palette, ShapeKind kind, ShapeControl control);

} // namespace framework
