// The ellipse walk shared by the Ellipse primitive and the elliptic clip region.
#include "platform/raster/ellipse_outline.h"

#include <algorithm>

namespace raster {

namespace {

// The lower-right quarter, found with an integer midpoint walk over the implicit ellipse
// (a variant of Alois Zingl's Bresenham ellipse). With a = width - 1 and b = height - 1 the
// walk starts at (a, height / 2), the middle of the right side, and steps left, down or both
// while its column stays at or right of width / 2. `error` is 4 b^2 x^2 + 4 a^2 y^2 - a^2 b^2
// scaled and offset so that the decision needs no division; an odd height starts half a row
// lower. For very narrow, tall boxes the walk stops before the bottom row; the reference
// behaves the same, so those rows get no outline.
std::vector<Point> lower_right_quarter(int32_t width, int32_t height) {
    const int64_t a = width - 1;
    const int64_t b = height - 1;
    const int64_t a_step = 8 * a * a;
    const int64_t b_step = 8 * b * b;
    int64_t dx = 4 * b * b * (1 - a);
    int64_t dy = 4 * a * a * (1 + b % 2);
    int64_t error = dx + dy + a * a * (b % 2);

    std::vector<Point> points;
    Point point{static_cast<int32_t>(a), height / 2};
    while (point.x >= width / 2) {
        const int64_t doubled = 2 * error;
        points.push_back(point);
        if (doubled >= dx) {
            --point.x;
            dx += b_step;
            error += dx;
        }
        if (doubled <= dy) {
            ++point.y;
            dy += a_step;
            error += dy;
        }
    }
    return points;
}

} // namespace

std::vector<Point> ellipse_outline(int32_t width, int32_t height) {
    const std::vector<Point> quarter = lower_right_quarter(width, height);
    std::vector<Point> points;
    points.reserve(quarter.size() * 4);
    for (const Point& p : quarter)
        points.push_back({p.x, height - 1 - p.y});
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
        points.push_back({width - 1 - it->x, height - 1 - it->y});
    for (const Point& p : quarter)
        points.push_back({width - 1 - p.x, p.y});
    for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
        points.push_back(*it);
    return points;
}

EllipseRows ellipse_rows(int32_t width, int32_t height) {
    EllipseRows rows;
    rows.outer.assign(static_cast<size_t>(std::max(height, 0)), -1);
    rows.inner.assign(rows.outer.size(), -1);
    auto note = [&rows](int32_t row, int32_t column) {
        auto& outer = rows.outer[static_cast<size_t>(row)];
        auto& inner = rows.inner[static_cast<size_t>(row)];
        outer = std::max(outer, column);
        inner = inner < 0 ? column : std::min(inner, column);
    };
    for (const Point& p : lower_right_quarter(width, height)) {
        note(p.y, p.x);
        note(height - 1 - p.y, p.x);
    }
    return rows;
}

} // namespace raster
