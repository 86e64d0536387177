// The graphics state of a freshly built surface, and the scales derived from its rectangles.
#include "framework/surface/graphics_state.h"

namespace framework {

void recompute_scales(GraphicsState& state) {
    const ClipRect& clip = state.clip_rect;
    const WindowRect& window = state.window_rect;
    state.scale_x = (clip.x2 - clip.x1) / (window.wx2 - window.wx1);
    state.scale_y = (clip.y2 - clip.y1) / (window.wy2 - window.wy1);
    state.inv_scale_x = 1 / state.scale_x;
    state.inv_scale_y = 1 / state.scale_y;
}

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
