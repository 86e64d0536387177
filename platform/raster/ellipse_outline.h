// The ellipse walk shared by the Ellipse primitive and the elliptic clip region.
#pragma once

#include "platform/raster/geometry.h"

#include <cstdint>
#include <vector>

namespace raster {

// The largest box the ellipse walk takes; its 64-bit error terms grow with the cube of the size.
constexpr int64_t MAX_ELLIPSE_SIZE = 1 << 16;

// The outline of an ellipse filling a width x height box, as points relative to the box's
// top-left pixel, in drawing order: counter-clockwise from the middle of the right side.
// Consecutive points are 8-connected neighbours or equal.
std::vector<Point> ellipse_outline(int32_t width, int32_t height);

// For each row of that ellipse, the outermost outline column on its right half (the left half
// mirrors it: column c there is width - 1 - c), or -1 for a row the outline never reaches.
std::vector<int32_t> ellipse_row_extents(int32_t width, int32_t height);

} // namespace raster
