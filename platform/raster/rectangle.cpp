// The rectangle primitive.
#include "platform/raster/rectangle.h"

#include "platform/raster/lines.h"

#include <array>

namespace raster {

// The corners are put in order first. The outline runs on columns left .. right - 1 and rows
// top .. bottom - 1 as one closed path, counter-clockwise from the top-right corner, each side
// leaving out its last pixel; a one-pixel box thus draws nothing. The brush fills inside the
// outline. With the null pen there is no outline but the fill does not grow into its place:
// it covers columns left .. right - 2 and rows top .. bottom - 2.
void draw_rectangle(Bitmap& target, const ClipArea& clip, Rect rect, ShapePaint& paint) {
    rect = rect.normalized();
    if (rect.is_empty())
        return;
    const int32_t last_x = rect.right - 1;
    const int32_t last_y = rect.bottom - 1;
    if (paint.pen.is_null) {
        fill_rect(target, clip, {rect.left, rect.top, last_x, last_y}, paint.brush);
        return;
    }
    fill_rect(target, clip, {rect.left + 1, rect.top + 1, last_x, last_y}, paint.brush);
    const std::array<Point, 4> corners{
        Point{last_x, rect.top}, {rect.left, rect.top}, {rect.left, last_y}, {last_x, last_y}};
    paint.pen.painter.position = 0;
    draw_polyline(target, clip, corners, true, paint.pen.painter);
}

} // namespace raster
