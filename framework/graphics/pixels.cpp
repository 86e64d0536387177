// The gw_ routines of single pixels.
#include "framework/graphics/active_surface.h"
#include "framework/surface/coordinates.h"
#include "framework/graphics/gw_graphics.h"

#include <optional>

namespace {

using framework::ActiveSurface;
using framework::SurfaceAccess;

// Reads the pixel first: the read honours the clip region, so a pixel outside the clip
// rectangle is neither read nor set (result -1). Otherwise the pixel is set to the exact RGB
// colour, and its previous colour returned.
int32_t set_pixel(SurfaceAccess& access, raster::Point viewport, int32_t rgb) {
    const raster::Point p = framework::to_physical(access.state(), viewport.x, viewport.y);
    const std::optional<raster::ColorRef> previous =
        access.replace_clipped_pixel(p, static_cast<uint32_t>(rgb) & 0xFFFFFFu);
    if (!previous)
        return -1;
    access.mark_changed({p.x, p.y, p.x + 1, p.y + 1});
    return static_cast<int32_t>(*previous & 0xFFFFFFu);
}

// The pixel's colour; -1 with status 1 outside the clip rectangle.
int32_t get_pixel(SurfaceAccess& access, raster::Point viewport) {
    const raster::Point p = framework::to_physical(access.state(), viewport.x, viewport.y);
    const std::optional<raster::ColorRef> color = access.clipped_pixel(p);
    if (!color) {
        framework::set_graphics_status(GW_STATUS_NOTHING_DRAWN);
        return -1;
    }
    return static_cast<int32_t>(*color & 0xFFFFFFu);
}

raster::Point viewport_point(int32_t x, int32_t y) {
    return {framework::wrap16(x), framework::wrap16(y)};
}

// The arrays of a many-pixel call: nothing to do for no pixels, status -1 for a missing array.
bool usable_arrays(ActiveSurface& surface, const void* xs, const void* ys, const void* colors) {
    if (!surface)
        return false;
    if (!xs || !ys || !colors) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return false;
    }
    return true;
}

} // namespace

int32_t gw_set_pixel_rgb(int32_t x, int32_t y, int32_t rgb) {
    ActiveSurface surface;
    return surface ? set_pixel(*surface, viewport_point(x, y), rgb) : -1;
}

int32_t gw_set_pixel_rgb_w(double wx, double wy, int32_t rgb) {
    ActiveSurface surface;
    if (!surface)
        return -1;
    return set_pixel(*surface, framework::window_to_viewport(surface->state(), {wx, wy}), rgb);
}

int32_t gw_get_pixel(int32_t x, int32_t y) {
    ActiveSurface surface;
    return surface ? get_pixel(*surface, viewport_point(x, y)) : -1;
}

int32_t gw_get_pixel_w(double wx, double wy) {
    ActiveSurface surface;
    if (!surface)
        return -1;
    return get_pixel(*surface, framework::window_to_viewport(surface->state(), {wx, wy}));
}

void gw_set_pixels_rgb(int32_t count, const int16_t* xs, const int16_t* ys, const int32_t* colors) {
    if (count <= 0)
        return;
    ActiveSurface surface;
    if (!usable_arrays(surface, xs, ys, colors))
        return;
    for (int32_t i = 0; i < count; ++i)
        set_pixel(*surface, {xs[i], ys[i]}, colors[i]);
}

void gw_get_pixels_rgb(int32_t count, const int16_t* xs, const int16_t* ys, int32_t* colors) {
    if (count <= 0)
        return;
    ActiveSurface surface;
    if (!usable_arrays(surface, xs, ys, colors))
        return;
    for (int32_t i = 0; i < count; ++i)
        colors[i] = get_pixel(*surface, {xs[i], ys[i]});
}
