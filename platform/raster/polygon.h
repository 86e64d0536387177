// The polygon primitive's loop.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/clipping.h"
#include "platform/raster/shape_paint.h"

#include <span>

namespace raster {

void draw_polygon(Bitmap& target, const ClipArea& clip, std::span<const Point> points,
                  PolygonFillMode mode, ShapePaint& paint);

} // namespace raster
