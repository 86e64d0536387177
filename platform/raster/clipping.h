// The clip stage: which device pixels a drawing call may touch.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/geometry.h"
#include "platform/raster/region.h"

#include <optional>

namespace raster {

// The bitmap's bounds intersected with the clip region's bounds, plus the region itself when it
// is not a plain rectangle. Built per drawing call on the stack; it borrows the region.
struct ClipArea {
    Rect bounds;
    const Region* mask = nullptr; // null: every pixel of bounds may be drawn

    bool is_empty() const { return bounds.is_empty(); }
    bool is_rectangular() const { return mask == nullptr; }
    bool contains(int32_t x, int32_t y) const {
        return bounds.contains({x, y}) && (mask == nullptr || mask->contains({x, y}));
    }
};

ClipArea make_clip_area(const Bitmap& target, const std::optional<Region>& clip);

} // namespace raster
