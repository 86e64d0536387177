// The closed shapes' loops: rectangle, ellipse and polygon, outlined with the pen and filled
// with the brush.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/brush.h"
#include "platform/raster/clipping.h"
#include "platform/raster/pen.h"

#include <span>

namespace raster {

// What the shapes draw with: the pen (when it is not null) and the brush.
struct ShapePaint {
    PenSetup pen;
    BrushPainter brush;
};

void draw_rectangle(Bitmap& target, const ClipArea& clip, Rect rect, ShapePaint& paint);
void draw_ellipse(Bitmap& target, const ClipArea& clip, Rect box, ShapePaint& paint);
void draw_polygon(Bitmap& target, const ClipArea& clip, std::span<const Point> points,
                  PolygonFillMode mode, ShapePaint& paint);

} // namespace raster
