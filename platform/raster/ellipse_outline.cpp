// The ellipse walk shared by the Ellipse primitive and the elliptic clip region.
#include "platform/raster/ellipse_outline.h"

#include <algorithm>

namespace raster {

namespace {

// The lower-right quarter, found with an integer midpoint walk over the implicit ellipse
// (a variant of Alois Zingl's Bresenham ellipse) for a = width - 1 and b = height - 1. The walk
// starts at (a, height / 2), the middle of the right side, and at each point steps left, down or
// both, whichever keeps the accumulated error of the implicit function smallest; dx and dy are
// the error's changes for a step in x and in y, and grow by 8 b^2 and 8 a^2 per step because the
// function is quadratic. An odd height starts the error half a row lower. The walk ends when the
// column passes width / 2, so for very narrow, tall boxes it stops short of the bottom rows,
// which then get no outline and no fill; the reference's shapes show the same walk.
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
    while (point.x >= width / 2 && point.y < height) {
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

std::vector<int32_t> ellipse_row_extents(int32_t width, int32_t height) {
    std::vector<int32_t> outer(static_cast<size_t>(std::max(height, 0)), -1);
    for (const Point& p : lower_right_quarter(width, height)) {
        auto& below = outer[static_cast<size_t>(p.y)];
        auto& above = outer[static_cast<size_t>(height - 1 - p.y)];
        below = std::max(below, p.x);
        above = std::max(above, p.x);
    }
    return outer;
}

} // namespace raster
