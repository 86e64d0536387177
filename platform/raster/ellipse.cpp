// The ellipse primitive.
#include "platform/raster/ellipse_outline.h"
#include "platform/raster/lines.h"
#include "platform/raster/shapes.h"

namespace raster {

// A box narrower or lower than three pixels is drawn as a rectangle. Otherwise the outline is
// the walk of ellipse_outline() drawn as one closed path, and the brush fills each row between
// the outline's innermost points. The null pen does not shrink an ellipse: the brush then
// covers the outline's pixels too.
void draw_ellipse(Bitmap& target, const ClipArea& clip, Rect box, ShapePaint& paint) {
    box = box.normalized();
    const int32_t width = box.width();
    const int32_t height = box.height();
    if (width < 3 || height < 3) {
        draw_rectangle(target, clip, box, paint);
        return;
    }

    const EllipseRows rows = ellipse_rows(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const auto row = static_cast<size_t>(y);
        if (rows.outer[row] < 0)
            continue;
        const int32_t right = paint.pen.is_null ? rows.outer[row] + 1 : rows.inner[row];
        fill_span(target, clip, box.top + y, box.left + width - right, box.left + right,
                  paint.brush);
    }
    if (paint.pen.is_null)
        return;

    std::vector<Point> outline = ellipse_outline(width, height);
    for (Point& p : outline)
        p = {p.x + box.left, p.y + box.top};
    paint.pen.painter.position = 0;
    draw_polyline(target, clip, outline, true, paint.pen.painter);
}

} // namespace raster
