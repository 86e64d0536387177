// The ellipse primitive.
#include "platform/raster/ellipse.h"

#include "platform/raster/ellipse_outline.h"
#include "platform/raster/lines.h"
#include "platform/raster/rectangle.h"

namespace raster {

// A box narrower or lower than three pixels is drawn as a rectangle. Otherwise the brush fills
// each row between the outermost points of the ellipse_outline() walk, both included, and then
// the pen draws the walk as one closed path over the fill. The outline's pixels thus get both
// the brush and the pen (which shows under XOR), and the null pen does not shrink the ellipse.
bool draw_ellipse(Bitmap& target, const ClipArea& clip, Rect box, ShapePaint& paint) {
    box = box.normalized();
    if (int64_t{box.right} - box.left > MAX_ELLIPSE_SIZE ||
        int64_t{box.bottom} - box.top > MAX_ELLIPSE_SIZE)
        return false;
    const int32_t width = box.width();
    const int32_t height = box.height();
    if (width < 3 || height < 3) {
        draw_rectangle(target, clip, box, paint);
        return true;
    }

    const std::vector<int32_t> outer = ellipse_row_extents(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const int32_t right = outer[static_cast<size_t>(y)];
        if (right >= 0)
            fill_span(target, clip, box.top + y, box.left + width - 1 - right, box.left + right + 1,
                      paint.brush);
    }
    if (paint.pen.is_null)
        return true;

    std::vector<Point> outline = ellipse_outline(width, height);
    for (Point& p : outline)
        p = {p.x + box.left, p.y + box.top};
    paint.pen.painter.position = 0;
    draw_polyline(target, clip, outline, true, paint.pen.painter);
    return true;
}

} // namespace raster
