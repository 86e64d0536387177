// What the closed shapes draw with: the pen stage for the outline, the brush stage for the fill.
#pragma once

#include "platform/raster/brush.h"
#include "platform/raster/pen.h"

namespace raster {

// The pen (when it is not null) and the brush, set up for one drawing call.
struct ShapePaint {
    PenSetup pen;
    BrushPainter brush;
};

} // namespace raster
