// The graphics state of a freshly built surface.
#include "framework/surface/graphics_state.h"

#include "framework/surface/coordinates.h"

namespace framework {

GraphicsState GraphicsState::for_surface(int32_t width, int32_t height, int32_t colors) {
    GraphicsState state;
    state.position = {width / 2, height / 2};
    state.clip_rect = {0, 0, width - 1, height - 1};
    state.window_rect = {0, 0, static_cast<double>(width - 1), static_cast<double>(height - 1)};
    // A window with fewer than sixteen colours draws in its last colour, white on two colours.
    state.graphics_color = tagged_index(colors < 16 ? static_cast<uint32_t>(colors - 1) : 15u);
    recompute_scales(state);
    return state;
}

} // namespace framework
