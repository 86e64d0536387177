// The gw_ routines of the current position and of lines.
#include "framework/graphics/active_surface.h"
#include "framework/surface/coordinates.h"
#include "framework/surface/drawing_attributes.h"
#include "framework/graphics/gw_graphics.h"

#include <algorithm>

namespace {

using framework::ActiveSurface;
using framework::SurfaceAccess;

// Moves the current position to the physical point; returns the old one in viewport coordinates.
raster::Point move_to_physical(SurfaceAccess& access, raster::Point target) {
    framework::GraphicsState& state = access.state();
    const raster::Point previous = framework::to_viewport(state, state.position);
    state.position = target;
    return previous;
}

// Status 1 when both end points lie beyond the same edge of the clip rectangle, else status 2
// when either lies outside it. The clip region cuts the line in either case.
void set_line_clip_status(const framework::ClipRect& clip, raster::Point c, raster::Point t) {
    if ((c.x < clip.x1 && t.x < clip.x1) || (c.y < clip.y1 && t.y < clip.y1) ||
        (c.x > clip.x2 && t.x > clip.x2) || (c.y > clip.y2 && t.y > clip.y2))
        framework::set_graphics_status(GW_STATUS_NOTHING_DRAWN);
    else if (!clip.contains(c) || !clip.contains(t))
        framework::set_graphics_status(GW_STATUS_PARTLY_CLIPPED);
}

// A solid line along a row in copy mode, both end points included, is a run of the pen colour
// cut to the clip rectangle: the raster engine's plain row and the last pixel set after it come
// to exactly these pixels. Written straight into the bitmap, it spares the short segments of a
// grating the engine's pen and clip set-up. False, drawing nothing, for any other line.
bool draw_plain_row(SurfaceAccess& access, raster::Point from, raster::Point to,
                    raster::ColorRef color) {
    const framework::GraphicsState& state = access.state();
    if (from.y != to.y || state.pen_style != raster::PenStyle::solid ||
        state.write_mode != framework::WriteMode::copy)
        return false;
    const framework::ClipRect& clip = state.clip_rect;
    if (from.y < clip.y1 || from.y > clip.y2)
        return true;
    const int32_t left = std::max(std::min(from.x, to.x), clip.x1);
    const int32_t right = std::min(std::max(from.x, to.x), clip.x2);
    if (left <= right) {
        raster::Pixel* row = access.bitmap().row(from.y);
        std::fill(row + left, row + right + 1, raster::pixel_from_colorref(color));
    }
    return true;
}

// Draws from the current position to the physical target with both end points included: the
// raster engine's line leaves out its last pixel, so that pixel is then set to the graphics
// colour with the plain pixel operation, whatever the pen style and write mode. A line to the
// current position therefore sets exactly one pixel.
int16_t line_to_physical(SurfaceAccess& access, raster::Point target) {
    framework::GraphicsState& state = access.state();
    const raster::Point current = state.position;
    set_line_clip_status(state.clip_rect, current, target);

    raster::DrawingContext& context = access.clipped_context();
    framework::select_line_attributes(context, state, access.palette());
    bool drawn = true;
    if (draw_plain_row(access, current, target, context.state().pen.color)) {
        context.move_to(target);
    } else {
        context.move_to(current);
        drawn = context.line_to(target);
        access.set_clipped_pixel(target, context.state().pen.color);
    }
    state.position = target;

    const raster::Rect span{std::min(current.x, target.x), std::min(current.y, target.y),
                            std::max(current.x, target.x) + 1, std::max(current.y, target.y) + 1};
    access.mark_changed(span.intersected(state.clip_rect.as_rect()));
    if (!drawn) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    return 1;
}

} // namespace

int32_t gw_move_to(int32_t x, int32_t y, gw_point16* previous) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const raster::Point old =
        move_to_physical(*surface, framework::to_physical(surface->state(), x, y));
    if (previous)
        *previous = {static_cast<int16_t>(old.x), static_cast<int16_t>(old.y)};
    return framework::pack_point(old.x, old.y);
}

int32_t gw_move_to_w(double wx, double wy, gw_point_w* previous) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const framework::GraphicsState& state = surface->state();
    const raster::Point viewport = framework::window_to_viewport(state, {wx, wy});
    const raster::Point old =
        move_to_physical(*surface, framework::to_physical(state, viewport.x, viewport.y));
    if (previous) {
        const framework::WindowPoint old_window = framework::viewport_to_window(state, old);
        *previous = {old_window.x, old_window.y};
    }
    return framework::pack_point(old.x, old.y);
}

int16_t gw_line_to(int32_t x, int32_t y) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    return line_to_physical(*surface, framework::to_physical(surface->state(), x, y));
}

int16_t gw_line_to_w(double wx, double wy) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const framework::GraphicsState& state = surface->state();
    const raster::Point viewport = framework::window_to_viewport(state, {wx, wy});
    return line_to_physical(*surface, framework::to_physical(state, viewport.x, viewport.y));
}
