// The rectangle primitive's loop.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/clipping.h"
#include "platform/raster/shape_paint.h"

namespace raster {

void draw_rectangle(Bitmap& target, const ClipArea& clip, Rect rect, ShapePaint& paint);

} // namespace raster
