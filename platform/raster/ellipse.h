// The ellipse primitive's loop.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/clipping.h"
#include "platform/raster/shape_paint.h"

namespace raster {

// Returns false, drawing nothing, for a box wider or taller than MAX_ELLIPSE_SIZE.
bool draw_ellipse(Bitmap& target, const ClipArea& clip, Rect box, ShapePaint& paint);

} // namespace raster
