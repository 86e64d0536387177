// The gw_ routines of rectangles, ellipses and polygons.
#include "framework/graphics/active_surface.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/surface/coordinates.h"
#include "framework/surface/drawing_attributes.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>

namespace {

using framework::ActiveSurface;
using framework::ShapeControl;
using framework::ShapeKind;
using framework::SurfaceAccess;

constexpr int32_t POLYGON_MIN_POINTS = 3;
constexpr int32_t POLYGON_MAX_POINTS = 16381;

// Control 2 outlines a shape, 3 fills it; any other control fails with status -1.
std::optional<ShapeControl> shape_control(int32_t control) {
    if (control == GW_OUTLINE)
        return ShapeControl::outline;
    if (control == GW_FILLED)
        return ShapeControl::filled;
    framework::set_graphics_status(GW_STATUS_FAILED);
    return std::nullopt;
}

// Status of a rectangle p1 .. p2 (p2 exclusive) against the clip rectangle: 1 when it lies wholly
// outside, else 2 when it reaches outside. Comparing with the exclusive corner means that a
// rectangle whose right edge is the clip rectangle's right column reports 2 although nothing
// of it is cut.
void set_rectangle_clip_status(const framework::ClipRect& clip, raster::Point p1,
                               raster::Point p2) {
    if (p1.x > clip.x2 || p2.x < clip.x1 || p2.y < clip.y1 || p1.y > clip.y2)
        framework::set_graphics_status(GW_STATUS_NOTHING_DRAWN);
    else if (p1.x < clip.x1 || p2.x > clip.x2 || p1.y < clip.y1 || p2.y > clip.y2)
        framework::set_graphics_status(GW_STATUS_PARTLY_CLIPPED);
}

// A rectangle or ellipse with both given corners inside it: corners are ordered (status 3 for
// each swap), and the figure covers physical(x1, y1) up to but excluding physical(x2, y2) + 1.
// A figure of exactly one pixel is that pixel set to the graphics colour.
int16_t draw_box_shape(SurfaceAccess& access, ShapeKind kind, ShapeControl control, int32_t x1,
                       int32_t y1, int32_t x2, int32_t y2) {
    x1 = framework::wrap16(x1);
    y1 = framework::wrap16(y1);
    x2 = framework::wrap16(x2);
    y2 = framework::wrap16(y2);
    if (x2 < x1) {
        std::swap(x1, x2);
        framework::set_graphics_status(GW_STATUS_ADJUSTED);
    }
    if (y2 < y1) {
        std::swap(y1, y2);
        framework::set_graphics_status(GW_STATUS_ADJUSTED);
    }
    framework::GraphicsState& state = access.state();
    const raster::Point p1 = framework::to_physical(state, x1, y1);
    const raster::Point last = framework::to_physical(state, x2, y2);
    const raster::Point p2{last.x + 1, last.y + 1};
    if (kind == ShapeKind::rectangle)
        set_rectangle_clip_status(state.clip_rect, p1, p2);

    raster::DrawingContext& context = access.clipped_context();
    const raster::Rect box{p1.x, p1.y, p2.x, p2.y};
    bool drawn = false;
    if (box.width() == 1 && box.height() == 1) {
        access.set_clipped_pixel(p1, access.palette().resolve(state.graphics_color));
        drawn = true;
    } else {
        framework::select_shape_attributes(context, state, access.palette(), kind, control);
        drawn = kind == ShapeKind::rectangle ? context.rectangle(box) : context.ellipse(box);
    }
    access.mark_changed(box.normalized().intersected(state.clip_rect.as_rect()));
    if (!drawn) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    return 1;
}

int16_t box_shape(ShapeKind kind, int32_t control, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const std::optional<ShapeControl> shape = shape_control(control);
    if (!shape)
        return 0;
    return draw_box_shape(*surface, kind, *shape, x1, y1, x2, y2);
}

int16_t box_shape_w(ShapeKind kind, int32_t control, double wx1, double wy1, double wx2,
                    double wy2) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const std::optional<ShapeControl> shape = shape_control(control);
    if (!shape)
        return 0;
    const raster::Point v1 = framework::window_to_viewport(surface->state(), {wx1, wy1});
    const raster::Point v2 = framework::window_to_viewport(surface->state(), {wx2, wy2});
    return draw_box_shape(*surface, kind, *shape, v1.x, v1.y, v2.x, v2.y);
}

// Draws a closed polygon whose vertex i is viewport_of(i). Status 2 when any vertex lies
// outside the clip rectangle; the clip region cuts the figure.
template <typename ViewportOf>
int16_t draw_polygon(int32_t control, int32_t count, bool has_points, ViewportOf viewport_of) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    if (count < POLYGON_MIN_POINTS || count > POLYGON_MAX_POINTS) {
        framework::set_graphics_status(GW_STATUS_OUT_OF_RANGE);
        return 0;
    }
    const std::optional<ShapeControl> shape = shape_control(control);
    if (!shape)
        return 0;
    if (!has_points) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    std::vector<raster::Point>& points = surface->point_buffer();
    try {
        points.resize(static_cast<size_t>(count));
    } catch (const std::bad_alloc&) {
        framework::set_graphics_status(GW_STATUS_OUT_OF_MEMORY);
        return 0;
    }
    framework::GraphicsState& state = surface->state();
    raster::Rect bounds;
    bool outside = false;
    for (int32_t i = 0; i < count; ++i) {
        const raster::Point viewport = viewport_of(state, i);
        const raster::Point p = framework::to_physical(state, viewport.x, viewport.y);
        points[i] = p;
        outside = outside || !state.clip_rect.contains(p);
        bounds = bounds.united({p.x, p.y, p.x + 1, p.y + 1});
    }
    if (outside)
        framework::set_graphics_status(GW_STATUS_PARTLY_CLIPPED);

    raster::DrawingContext& context = surface->clipped_context();
    framework::select_shape_attributes(context, state, surface->palette(), ShapeKind::polygon,
                                       *shape);
    const bool drawn = context.polygon(std::span<const raster::Point>(points.data(), count));
    surface->mark_changed(bounds.intersected(state.clip_rect.as_rect()));
    if (!drawn) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    return 1;
}

} // namespace

int16_t gw_rectangle(int32_t control, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return box_shape(ShapeKind::rectangle, control, x1, y1, x2, y2);
}

int16_t gw_ellipse(int32_t control, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return box_shape(ShapeKind::ellipse, control, x1, y1, x2, y2);
}

int16_t gw_rectangle_w(int32_t control, double wx1, double wy1, double wx2, double wy2) {
    return box_shape_w(ShapeKind::rectangle, control, wx1, wy1, wx2, wy2);
}

int16_t gw_ellipse_w(int32_t control, double wx1, double wy1, double wx2, double wy2) {
    return box_shape_w(ShapeKind::ellipse, control, wx1, wy1, wx2, wy2);
}

int16_t gw_polygon(int32_t control, const gw_point16* points, int32_t count) {
    return draw_polygon(control, count, points != nullptr,
                        [points](const framework::GraphicsState&, int32_t i) {
                            return raster::Point{points[i].x, points[i].y};
                        });
}

int16_t gw_polygon_w(int32_t control, const gw_point_w* points, int32_t count) {
    return draw_polygon(control, count, points != nullptr,
                        [points](const framework::GraphicsState& state, int32_t i) {
                            return framework::window_to_viewport(state, {points[i].x, points[i].y});
                        });
}
