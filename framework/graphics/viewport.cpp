// The gw_ routines of the coordinate systems: clip rectangle, viewport, window coordinates,
// conversions and the current position.
#include "framework/graphics/active_surface.h"
#include "framework/surface/coordinates.h"
#include "framework/graphics/gw_graphics.h"

#include <algorithm>
#include <utility>

namespace {

using framework::ActiveSurface;
using framework::wrap16;

// Orders the corners and clamps them to the surface, each step that changes a value setting
// status 3. A rectangle that is then a single column or row fails (status -1, result 0) and
// leaves the clip rectangle as it was, so that a clip rectangle is always at least two pixels
// wide and high.
int16_t set_clip_rect(framework::SurfaceAccess& access, int32_t x1, int32_t y1, int32_t x2,
                      int32_t y2) {
    x1 = wrap16(x1);
    y1 = wrap16(y1);
    x2 = wrap16(x2);
    y2 = wrap16(y2);
    bool adjusted = false;
    if (x2 < x1) {
        std::swap(x1, x2);
        adjusted = true;
    }
    if (y2 < y1) {
        std::swap(y1, y2);
        adjusted = true;
    }
    const auto clamp = [&adjusted](int32_t value, int32_t limit) {
        const int32_t clamped = std::clamp(value, 0, limit);
        adjusted = adjusted || clamped != value;
        return clamped;
    };
    const int32_t max_x = access.bitmap().width() - 1;
    const int32_t max_y = access.bitmap().height() - 1;
    x1 = clamp(x1, max_x);
    x2 = clamp(x2, max_x);
    y1 = clamp(y1, max_y);
    y2 = clamp(y2, max_y);
    if (adjusted)
        framework::set_graphics_status(GW_STATUS_ADJUSTED);
    if (x1 == x2 || y1 == y2) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    access.state().clip_rect = {x1, y1, x2, y2};
    access.clip_rect_changed();
    return 1;
}

} // namespace

int16_t gw_set_clip_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    ActiveSurface surface;
    return surface ? set_clip_rect(*surface, x1, y1, x2, y2) : int16_t{0};
}

int32_t gw_set_viewport_origin(int32_t x, int32_t y) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    framework::GraphicsState& state = surface->state();
    const raster::Point previous = state.viewport_origin;
    state.viewport_origin = {wrap16(x), wrap16(y)};
    framework::recompute_scales(state);
    return framework::pack_point(previous.x, previous.y);
}

int16_t gw_set_viewport(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    framework::GraphicsState& state = surface->state();
    state.viewport_origin = {std::min(wrap16(x1), wrap16(x2)), std::min(wrap16(y1), wrap16(y2))};
    const int16_t result = set_clip_rect(*surface, x1, y1, x2, y2);
    framework::recompute_scales(state);
    return result;
}

int16_t gw_set_window_coords(int32_t invert, double wx1, double wy1, double wx2, double wy2) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    if (wx1 == wx2 || wy1 == wy2) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    if (wx1 > wx2) {
        std::swap(wx1, wx2);
        framework::set_graphics_status(GW_STATUS_ADJUSTED);
    }
    if (wy1 > wy2) {
        std::swap(wy1, wy2);
        framework::set_graphics_status(GW_STATUS_ADJUSTED);
    }
    framework::GraphicsState& state = surface->state();
    state.window_rect = {wx1, wy1, wx2, wy2};
    state.window_invert_y = (invert & 0xFF) != 0;
    framework::recompute_scales(state);
    return 1;
}

int32_t gw_to_physical(int32_t x, int32_t y) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const raster::Point physical = framework::to_physical(surface->state(), x, y);
    return framework::pack_point(physical.x, physical.y);
}

int32_t gw_to_viewport(int32_t px, int32_t py) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const raster::Point viewport =
        framework::to_viewport(surface->state(), {wrap16(px), wrap16(py)});
    return framework::pack_point(viewport.x, viewport.y);
}

gw_point_w gw_viewport_to_window(int32_t x, int32_t y) {
    ActiveSurface surface;
    if (!surface)
        return {};
    const framework::WindowPoint window =
        framework::viewport_to_window(surface->state(), {wrap16(x), wrap16(y)});
    return {window.x, window.y};
}

int32_t gw_window_to_viewport(double wx, double wy) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const raster::Point viewport = framework::window_to_viewport(surface->state(), {wx, wy});
    return framework::pack_point(viewport.x, viewport.y);
}

int32_t gw_get_position() {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const raster::Point viewport =
        framework::to_viewport(surface->state(), surface->state().position);
    return framework::pack_point(viewport.x, viewport.y);
}

int16_t gw_get_position_w(gw_point_w* position) {
    ActiveSurface surface;
    if (!surface || !position)
        return 0;
    const framework::GraphicsState& state = surface->state();
    const framework::WindowPoint window =
        framework::viewport_to_window(state, framework::to_viewport(state, state.position));
    *position = {window.x, window.y};
    return 1;
}
