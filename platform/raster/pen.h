// The pen stage: what a cosmetic pen puts down at each step of a line.
#pragma once

#include "platform/raster/draw_state.h"
#include "platform/raster/raster_ops.h"

#include <cstdint>

namespace raster {

// A pen reduced to what the line loop needs. A styled pen's dashes are a bit mask over one
// period of its pattern (bit k set: the k-th step of the period is drawn); `position` counts
// the steps already taken along the current path, so that a polyline carries its dashes across
// vertices while each line_to starts them afresh.
struct PenPainter {
    RopCodes on;
    RopCodes gap; // the background colour, for the gaps of an opaque styled pen
    bool paints_gaps = false;
    bool is_styled = false;
    uint64_t dash_bits = 0;
    int64_t period = 1;
    int64_t position = 0;
};

// Returns nothing to draw (is_null) for the null pen.
struct PenSetup {
    bool is_null = true;
    PenPainter painter;
};

PenSetup make_pen_painter(const DrawState& state);

} // namespace raster
