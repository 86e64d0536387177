// The polygon primitive: scan-line fill in alternate or winding mode, then the outline.
#include "platform/raster/polygon.h"

#include "platform/raster/lines.h"

#include <algorithm>
#include <vector>

namespace raster {

namespace {

struct Crossing {
    int64_t x; // the first column at or right of the edge
    int32_t direction;
};

// Coordinate differences reach 2^32, so their product needs more than 64 bits.
__extension__ typedef __int128 Wide;

// Rounds toward plus infinity; `denominator` is positive.
int64_t ceil_div(Wide numerator, int64_t denominator) {
    const Wide quotient = numerator / denominator;
    return static_cast<int64_t>(numerator % denominator != 0 && numerator > 0 ? quotient + 1
                                                                              : quotient);
}

// Where the edges cross row y. An edge counts on rows y0 .. y1 - 1 (top to bottom), so that a
// vertex shared by two edges is counted once and horizontal edges not at all.
void find_crossings(std::span<const Point> points, int32_t y, std::vector<Crossing>& crossings) {
    crossings.clear();
    for (size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i];
        const Point b = points[(i + 1) % points.size()];
        if (a.y == b.y)
            continue;
        const Point& upper = a.y < b.y ? a : b;
        const Point& lower = a.y < b.y ? b : a;
        if (y < upper.y || y >= lower.y)
            continue;
        const Wide numerator = Wide{int64_t{y} - upper.y} * (int64_t{lower.x} - upper.x);
        const int64_t x = upper.x + ceil_div(numerator, int64_t{lower.y} - upper.y);
        crossings.push_back({x, a.y < b.y ? 1 : -1});
    }
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
}

} // namespace

// Pixel (x, y) is inside when its integer point is inside the polygon, with a top-left rule:
// rows top .. bottom - 1 are scanned, and each span between two crossings covers
// [ceil(x_left), ceil(x_right)). Alternate mode fills between crossings 1-2, 3-4 and so on;
// winding mode wherever the signed count of crossed edges is not zero. The pen then draws the
// closed outline, which adds the vertices and the right and bottom edges.
void draw_polygon(Bitmap& target, const ClipArea& clip, std::span<const Point> points,
                  PolygonFillMode mode, ShapePaint& paint) {
    if (points.size() < 2)
        return;
    if (!paint.brush.is_null) {
        int32_t top = points.front().y;
        int32_t bottom = points.front().y;
        for (const Point& p : points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        top = std::max(top, clip.bounds.top);
        bottom = std::min(bottom, clip.bounds.bottom);
        std::vector<Crossing> crossings;
        for (int32_t y = top; y < bottom; ++y) {
            find_crossings(points, y, crossings);
            int32_t winding = 0;
            for (size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += mode == PolygonFillMode::alternate ? (i % 2 == 0 ? 1 : -1)
                                                              : crossings[i].direction;
                if (winding == 0)
                    continue;
                const int64_t left = std::max<int64_t>(crossings[i].x, clip.bounds.left);
                const int64_t right = std::min<int64_t>(crossings[i + 1].x, clip.bounds.right);
                if (left < right)
                    fill_span(target, clip, y, static_cast<int32_t>(left),
                              static_cast<int32_t>(right), paint.brush);
            }
        }
    }
    if (paint.pen.is_null)
        return;
    paint.pen.painter.position = 0;
    draw_polyline(target, clip, points, true, paint.pen.painter);
}

} // namespace raster
