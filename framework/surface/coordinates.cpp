// Conversions between physical, viewport and window coordinates.
#include "framework/surface/coordinates.h"

#include <cmath>
#include <limits>

namespace framework {

// round(v) adds 0.5 to a positive value, subtracts 0.5 from a non-positive one and truncates
// towards zero. The value is clamped to the 16-bit range first: converting a double that an
// int32 cannot hold would be undefined.
int32_t round_coordinate(double value) {
    if (std::isnan(value))
        return 0;
    const double rounded = value > 0 ? value + 0.5 : value - 0.5;
    constexpr double LOW = std::numeric_limits<int16_t>::min();
    constexpr double HIGH = std::numeric_limits<int16_t>::max();
    if (rounded <= LOW)
        return static_cast<int32_t>(LOW);
    if (rounded >= HIGH)
        return static_cast<int32_t>(HIGH);
    return static_cast<int32_t>(rounded);
}

// vx = round((wx - wx1) * scale_x). vy = round((wy - wy1) * scale_y), or with an upward y axis
// (clip y2 - origin y) - round((wy - wy1) * scale_y), so that wy1 lands on the viewport's
// bottom row.
raster::Point window_to_viewport(const GraphicsState& state, WindowPoint window) {
    const int32_t x = round_coordinate((window.x - state.window_rect.wx1) * state.scale_x);
    const int32_t y = round_coordinate((window.y - state.window_rect.wy1) * state.scale_y);
    if (!state.window_invert_y)
        return {x, y};
    return {x, wrap16(state.clip_rect.y2 - state.viewport_origin.y - y)};
}

// The inverse of window_to_viewport without the rounding: wx = vx * inv_scale_x + wx1, and
// wy = v * inv_scale_y + wy1 with v = vy, or (clip y2 - origin y - vy) for an upward y axis.
WindowPoint viewport_to_window(const GraphicsState& state, raster::Point viewport) {
    const int32_t v = state.window_invert_y
                          ? state.clip_rect.y2 - state.viewport_origin.y - viewport.y
                          : viewport.y;
    return {viewport.x * state.inv_scale_x + state.window_rect.wx1,
            v * state.inv_scale_y + state.window_rect.wy1};
}

} // namespace framework
