// Physical, viewport and window coordinates of a drawing surface and the conversions between them.
#pragma once

#include "framework/surface/graphics_state.h"
#include "platform/raster/geometry.h"

#include <cstdint>

namespace framework {

struct WindowPoint {
    double x = 0;
    double y = 0;
};

// The 16-bit wrap-around that every integer coordinate goes through.
constexpr int32_t wrap16(int32_t value) {
    return static_cast<int16_t>(value);
}

// Packs a point as the gw_ routines return it: y in the high 16 bits, x in the low 16 bits.
constexpr int32_t pack_point(int32_t x, int32_t y) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16 |
                                static_cast<uint16_t>(x));
}

// Physical = viewport + origin, viewport = physical - origin, each component in 16 bits.
inline raster::Point to_physical(const GraphicsState& state, int32_t x, int32_t y) {
    return {wrap16(x + state.viewport_origin.x), wrap16(y + state.viewport_origin.y)};
}

inline raster::Point to_viewport(const GraphicsState& state, raster::Point physical) {
    return {wrap16(physical.x - state.viewport_origin.x),
            wrap16(physical.y - state.viewport_origin.y)};
}

// Rounds halves away from zero and brings the result into the 16-bit range (a NaN becomes 0).
int32_t round_coordinate(double value);

raster::Point window_to_viewport(const GraphicsState& state, WindowPoint window);
WindowPoint viewport_to_window(const GraphicsState& state, raster::Point viewport);

} // namespace framework
