// The line loop: one-pixel lines with the platform's rounding and end-point rules.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/clipping.h"
#include "platform/raster/pen.h"

#include <span>

namespace raster {

// Draws from `from` up to, but not including, `to`, and advances the pen's dash position by the
// line's length along its major axis.
void draw_line(Bitmap& target, const ClipArea& clip, Point from, Point to, PenPainter& pen);

// Draws the lines between consecutive points (and from the last back to the first when
// `closed`), the dashes running on across the vertices.
void draw_polyline(Bitmap& target, const ClipArea& clip, std::span<const Point> points, bool closed,
                   PenPainter& pen);

} // namespace raster
