// A drawing context: each call sets up the clip, pen and brush stages and runs its primitive.
#include "platform/raster/drawing_context.h"

#include "platform/raster/brush.h"
#include "platform/raster/clipping.h"
#include "platform/raster/ellipse.h"
#include "platform/raster/lines.h"
#include "platform/raster/pen.h"
#include "platform/raster/polygon.h"
#include "platform/raster/raster_ops.h"
#include "platform/raster/rectangle.h"
#include "platform/raster/shape_paint.h"

namespace raster {

namespace {

ShapePaint shape_paint(const DrawState& state) {
    return {make_pen_painter(state), make_brush_painter(state.brush, state, state.raster_op)};
}

} // namespace

DrawingContext::DrawingContext(Bitmap& target) : m_target(&target) {}

Point DrawingContext::move_to(Point p) {
    const Point previous = m_state.position;
    m_state.position = p;
    return previous;
}

bool DrawingContext::line_to(Point p) {
    PenSetup pen = make_pen_painter(m_state);
    if (!pen.is_null)
        draw_line(*m_target, make_clip_area(*m_target, m_state.clip), m_state.position, p,
                  pen.painter);
    m_state.position = p;
    return true;
}

// Like the platform's Polyline, this neither uses nor moves the current position.
bool DrawingContext::polyline(std::span<const Point> points) {
    PenSetup pen = make_pen_painter(m_state);
    if (!pen.is_null)
        draw_polyline(*m_target, make_clip_area(*m_target, m_state.clip), points, false,
                      pen.painter);
    return true;
}

bool DrawingContext::rectangle(Rect rect) {
    ShapePaint paint = shape_paint(m_state);
    draw_rectangle(*m_target, make_clip_area(*m_target, m_state.clip), rect, paint);
    return true;
}

bool DrawingContext::ellipse(Rect box) {
    ShapePaint paint = shape_paint(m_state);
    return draw_ellipse(*m_target, make_clip_area(*m_target, m_state.clip), box, paint);
}

bool DrawingContext::polygon(std::span<const Point> points) {
    ShapePaint paint = shape_paint(m_state);
    draw_polygon(*m_target, make_clip_area(*m_target, m_state.clip), points, m_state.fill_mode,
                 paint);
    return true;
}

// The brush is drawn with the copy operation whatever the context's raster operation is.
bool DrawingContext::fill_rect(Rect rect, const Brush& brush) {
    const BrushPainter painter = make_brush_painter(brush, m_state, RasterOp::copy_pen);
    raster::fill_rect(*m_target, make_clip_area(*m_target, m_state.clip), rect, painter);
    return true;
}

std::optional<ColorRef> DrawingContext::get_pixel(Point p) const {
    if (!make_clip_area(*m_target, m_state.clip).contains(p.x, p.y))
        return std::nullopt;
    return colorref_from_pixel(m_target->pixel(p.x, p.y));
}

std::optional<ColorRef> DrawingContext::set_pixel(Point p, ColorRef color) {
    if (!make_clip_area(*m_target, m_state.clip).contains(p.x, p.y))
        return std::nullopt;
    Pixel& pixel = m_target->row(p.y)[p.x];
    pixel = make_rop_codes(m_state.raster_op, pixel_from_colorref(color)).apply(pixel);
    return color & 0x00FFFFFFu;
}

bool DrawingContext::set_pixel_copy(Point p, ColorRef color) {
    if (!make_clip_area(*m_target, m_state.clip).contains(p.x, p.y))
        return false;
    m_target->set_pixel(p.x, p.y, pixel_from_colorref(color));
    return true;
}

// With no clip region yet, the clip is the whole bitmap.
void DrawingContext::intersect_clip_rect(Rect rect) {
    if (!m_state.clip)
        m_state.clip = Region::rectangle(m_target->bounds());
    m_state.clip->combine(Region::rectangle(rect), RegionCombine::intersect);
}

void DrawingContext::exclude_clip_rect(Rect rect) {
    if (!m_state.clip)
        m_state.clip = Region::rectangle(m_target->bounds());
    m_state.clip->combine(Region::rectangle(rect), RegionCombine::difference);
}

} // namespace raster
