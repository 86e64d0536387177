// The ellipse walk shared by the Ellipse primitive and the elliptic clip region.
#pragma once

#include "platform/raster/geometry.h"

#include <cstdint>
#include <vector>

namespace raster {

// The outline of an ellipse filling a width x height box, as points relative to the box's
// top-left pixel, in drawing order: counter-clockwise from the middle of the right side.
// Consecutive points are 8-connected neighbours or equal.
std::vector<Point> ellipse_outline(int32_t width, int32_t height);

// For each row of that ellipse, the outermost and innermost outline columns on its right half
// (the left half mirrors them: column c there is width - 1 - c). A row the outline never
// reaches has outer = inner = -1.
struct EllipseRows {
    std::vector<int32_t> outer;
    std::vector<int32_t> inner;
};

EllipseRows ellipse_rows(int32_t width, int32_t height);

} // namespace raster
