// Clip regions: a set of device pixels that drawing may touch.
#pragma once

#include "platform/raster/geometry.h"

#include <cstdint>
#include <vector>

namespace raster {

enum class RegionCombine : uint8_t { intersect, unite, exclusive_or, difference, copy };

// A region is a bounding rectangle and, when it is not a plain rectangle, one byte per pixel of
// that rectangle saying whether the pixel belongs to it.
class Region {
public:
    Region() = default; // empty
    static Region rectangle(Rect rect);
    // The platform's elliptic region for the box: not the same pixels as an ellipse drawn in
    // the same box.
    static Region ellipse(Rect box);

    bool is_empty() const;
    bool is_rectangle() const { return m_mask.empty(); }
    Rect bounds() const { return m_bounds; }
    bool contains(Point p) const;

    // this := this <op> other.
    void combine(const Region& other, RegionCombine op);

private:
    void normalize();

    Rect m_bounds;
    std::vector<uint8_t> m_mask; // empty: every pixel of m_bounds belongs to the region
};

} // namespace raster
