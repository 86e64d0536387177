// Points and rectangles in device pixels.
#pragma once

#include <algorithm>
#include <cstdint>

namespace raster {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(Point, Point) = default;
};

// A rectangle whose right and bottom edges are exclusive: it covers the columns
// left .. right - 1 and the rows top .. bottom - 1. It is empty when right <= left or
// bottom <= top.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool is_empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    // The same rectangle with left <= right and top <= bottom.
    Rect normalized() const {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }

    Rect intersected(const Rect& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }

    // The smallest rectangle that holds both. An empty rectangle holds no pixels and adds none,
    // wherever its corners lie, so that a union can start from Rect{}.
    Rect united(const Rect& other) const {
        if (is_empty())
            return other;
        if (other.is_empty())
            return *this;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }

    Rect translated(int32_t dx, int32_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
};

} // namespace raster
