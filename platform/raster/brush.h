// The brush stage: what a brush puts down at each pixel of a filled span.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/clipping.h"
#include "platform/raster/draw_state.h"
#include "platform/raster/raster_ops.h"

#include <array>
#include <cstdint>

namespace raster {

// A brush reduced to raster-operation codes for each cell of its 8 x 8 tile (one pair for all
// cells when the brush is uniform). Cells whose bit is set in `skipped` are left untouched: the
// background of a hatch brush in transparent mode.
struct BrushPainter {
    bool is_null = true;
    bool is_uniform = true;
    RopCodes uniform;
    std::array<RopCodes, 64> cells{};
    uint64_t skipped = 0;
    Point origin;
};

BrushPainter make_brush_painter(const Brush& brush, const DrawState& state, RasterOp op);

// Fills columns x_begin .. x_end - 1 of row y, clipped.
void fill_span(Bitmap& target, const ClipArea& clip, int32_t y, int32_t x_begin, int32_t x_end,
               const BrushPainter& brush);

// Fills a rectangle, clipped.
void fill_rect(Bitmap& target, const ClipArea& clip, const Rect& rect, const BrushPainter& brush);

} // namespace raster
