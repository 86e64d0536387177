// Clip regions: rectangles, the platform's elliptic region, and their combinations.
#include "platform/raster/region.h"

#include "platform/raster/ellipse_outline.h"

#include <algorithm>

namespace raster {

namespace {

// Masks are one byte per pixel of their bounds; larger results are refused (see region.h).
constexpr int64_t MAX_MASK_PIXELS = int64_t{1} << 26;

// The number of pixels in `rect`, or MAX_MASK_PIXELS + 1 when it has more.
int64_t pixel_count(const Rect& rect) {
    if (rect.is_empty())
        return 0;
    const int64_t width = int64_t{rect.right} - rect.left;
    const int64_t height = int64_t{rect.bottom} - rect.top;
    if (width > MAX_MASK_PIXELS || height > MAX_MASK_PIXELS)
        return MAX_MASK_PIXELS + 1;
    return std::min(width * height, MAX_MASK_PIXELS + 1);
}

bool encloses(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool combined(bool in_this, bool in_other, RegionCombine op) {
    switch (op) {
    case RegionCombine::intersect:
        return in_this && in_other;
    case RegionCombine::unite:
        return in_this || in_other;
    case RegionCombine::exclusive_or:
        return in_this != in_other;
    case RegionCombine::difference:
        return in_this && !in_other;
    case RegionCombine::copy:
        return in_other;
    }
    return false;
}

} // namespace

Region Region::rectangle(Rect rect) {
    Region region;
    rect = rect.normalized();
    if (!rect.is_empty())
        region.m_bounds = rect;
    return region;
}

// The elliptic region is the filled ellipse of a box one pixel smaller on the right and at the
// bottom: the region of box (l, t, r, b) spans columns l .. r - 2 and rows t .. b - 2, each row
// running between its outermost outline points, both included. So it is neither symmetric in
// the box nor the same pixels as Ellipse with that box. Boxes whose smaller box is narrower or
// lower than two pixels give that smaller box as a rectangle. A box the ellipse walk does not
// take gives the empty region.
Region Region::ellipse(Rect box) {
    box = box.normalized();
    if (pixel_count(box) > MAX_MASK_PIXELS)
        return Region();
    const Rect inner{box.left, box.top, box.right - 1, box.bottom - 1};
    if (inner.width() < 2 || inner.height() < 2)
        return rectangle(inner);

    const int32_t width = inner.width();
    const std::vector<int32_t> extents = ellipse_row_extents(width, inner.height());
    Region region;
    region.m_bounds = inner;
    region.m_mask.assign(static_cast<size_t>(width) * inner.height(), 0);
    for (int32_t y = 0; y < inner.height(); ++y) {
        const int32_t outer = extents[static_cast<size_t>(y)];
        if (outer < 0)
            continue;
        uint8_t* row = region.m_mask.data() + static_cast<size_t>(y) * width;
        std::fill(row + (width - 1 - outer), row + outer + 1, uint8_t{1});
    }
    region.normalize();
    return region;
}

bool Region::is_empty() const {
    if (m_bounds.is_empty())
        return true;
    return !m_mask.empty() && std::find(m_mask.begin(), m_mask.end(), 1) == m_mask.end();
}

bool Region::contains(Point p) const {
    if (!m_bounds.contains(p))
        return false;
    if (m_mask.empty())
        return true;
    return m_mask[static_cast<size_t>(p.y - m_bounds.top) * m_bounds.width() +
                  (p.x - m_bounds.left)] != 0;
}

void Region::combine(const Region& other, RegionCombine op) {
    if (combine_without_mask(other, op))
        return;
    Rect area;
    switch (op) {
    case RegionCombine::intersect:
        area = m_bounds.intersected(other.m_bounds);
        break;
    case RegionCombine::unite:
    case RegionCombine::exclusive_or:
        area = m_bounds.united(other.m_bounds);
        break;
    case RegionCombine::difference:
        area = m_bounds;
        break;
    case RegionCombine::copy:
        *this = other;
        return;
    }
    if (area.is_empty() || pixel_count(area) > MAX_MASK_PIXELS) {
        *this = Region();
        return;
    }
    std::vector<uint8_t> mask(static_cast<size_t>(area.width()) * area.height());
    size_t index = 0;
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
            mask[index++] = combined(contains({x, y}), other.contains({x, y}), op) ? 1 : 0;
    m_bounds = area;
    m_mask = std::move(mask);
    normalize();
}

// The combinations whose result is one of the operands, empty, or a plain rectangle, found
// from the bounds alone. They need no mask, which keeps them cheap for any coordinates.
bool Region::combine_without_mask(const Region& other, RegionCombine op) {
    const Rect overlap = m_bounds.intersected(other.m_bounds);
    const bool both_rectangles = is_rectangle() && other.is_rectangle();
    switch (op) {
    case RegionCombine::copy:
        *this = other;
        return true;
    case RegionCombine::intersect:
        if (overlap.is_empty() || m_bounds.is_empty() || other.m_bounds.is_empty()) {
            *this = Region();
            return true;
        }
        if (both_rectangles) {
            m_bounds = overlap;
            return true;
        }
        if (other.is_rectangle() && encloses(other.m_bounds, m_bounds))
            return true;
        if (is_rectangle() && encloses(m_bounds, other.m_bounds)) {
            *this = other;
            return true;
        }
        return false;
    case RegionCombine::difference:
        if (m_bounds.is_empty() || other.m_bounds.is_empty() || overlap.is_empty())
            return true;
        if (other.is_rectangle() && encloses(other.m_bounds, m_bounds)) {
            *this = Region();
            return true;
        }
        return false;
    case RegionCombine::unite:
    case RegionCombine::exclusive_or:
        if (other.m_bounds.is_empty())
            return true;
        if (m_bounds.is_empty()) {
            *this = other;
            return true;
        }
        if (op == RegionCombine::unite && is_rectangle() && encloses(m_bounds, other.m_bounds))
            return true;
        if (op == RegionCombine::unite && other.is_rectangle() &&
            encloses(other.m_bounds, m_bounds)) {
            *this = other;
            return true;
        }
        return false;
    }
    return false;
}

// Shrinks the bounds to the pixels that belong to the region and drops the mask when every
// pixel of the bounds belongs, so that rectangular results keep the fast path.
void Region::normalize() {
    if (m_mask.empty() || m_bounds.is_empty())
        return;
    const int32_t width = m_bounds.width();
    Rect tight;
    for (int32_t y = 0; y < m_bounds.height(); ++y) {
        for (int32_t x = 0; x < width; ++x) {
            if (!m_mask[static_cast<size_t>(y) * width + x])
                continue;
            const int32_t px = m_bounds.left + x;
            const int32_t py = m_bounds.top + y;
            tight = tight.united({px, py, px + 1, py + 1});
        }
    }
    if (tight.is_empty()) {
        *this = Region();
        return;
    }
    std::vector<uint8_t> mask(static_cast<size_t>(tight.width()) * tight.height());
    bool full = true;
    size_t index = 0;
    for (int32_t y = tight.top; y < tight.bottom; ++y) {
        for (int32_t x = tight.left; x < tight.right; ++x) {
            const uint8_t bit =
                m_mask[static_cast<size_t>(y - m_bounds.top) * width + (x - m_bounds.left)];
            full = full && bit;
            mask[index++] = bit;
        }
    }
    m_bounds = tight;
    if (full)
        mask.clear();
    m_mask = std::move(mask);
}

} // namespace raster
