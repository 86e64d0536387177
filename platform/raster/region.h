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
    // the same box. A box of more than 2^26 pixels gives the empty region.
    static Region ellipse(Rect box);

    bool is_empty() const;
    bool is_rectangle() const { return m_mask.empty(); }
    Rect bounds() const { return m_bounds; }
    bool contains(Point p) const;

    // this := this <op> other. Results that are empty, a plain rectangle or one of the operands
    // are found from the bounds; the others are computed on a mask over their bounds, and one
    // whose bounds exceed 2^26 pixels is refused and leaves the region empty.
    void combine(const Region& other, RegionCombine op);

private:
    bool combine_without_mask(const Region& other, RegionCombine op);
    void normalize();

    Rect m_bounds;
    std::vector<uint8_t> m_mask; // empty: every pixel of m_bounds belongs to the region
};

} // namespace raster
