// gw_clear_screen: clearing the whole surface, the clip rectangle or the text window.
#include "framework/graphics/active_surface.h"
#include "framework/graphics/gw_graphics.h"

namespace {

using framework::SurfaceAccess;

struct ClearArea {
    raster::Rect rect; // exclusive right and bottom
    raster::ColorRef color;
};

// Area 0: the whole surface in the background colour. Area 1: the clip rectangle in palette
// entry 0, not the background colour. Area 2: the text window in the background colour; the text
// window is the whole surface.
std::optional<ClearArea> clear_area(SurfaceAccess& access, int32_t area) {
    const framework::GraphicsState& state = access.state();
    const raster::ColorRef background = access.palette().resolve(state.background_color);
    switch (area) {
    case GW_CLEAR_WINDOW:
    case GW_CLEAR_TEXT_WINDOW:
        return ClearArea{access.bitmap().bounds(), background};
    case GW_CLEAR_CLIP_RECT:
        return ClearArea{state.clip_rect.as_rect(), access.palette().entry_color(0)};
    default:
        return std::nullopt;
    }
}

} // namespace

void gw_clear_screen(int32_t area) {
    framework::ActiveSurface surface;
    if (!surface)
        return;
    const std::optional<ClearArea> clear = clear_area(*surface, area);
    if (!clear) {
        framework::set_graphics_status(GW_STATUS_OUT_OF_RANGE);
        return;
    }
    surface->unclipped_context().fill_rect(clear->rect, raster::Brush::solid(clear->color));
    surface->mark_changed(clear->rect);
    // Clearing the whole window leaves nothing drawn in it.
    if (area == GW_CLEAR_WINDOW)
        surface->state().dirty = false;
}
