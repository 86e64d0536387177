// The graphics state of a drawing surface: position, viewport, clipping, colours and styles.
#pragma once

#include "framework/surface/window_palette.h"
#include "platform/raster/drawing_context.h"
#include "platform/raster/geometry.h"

#include <array>
#include <cstdint>
#include <optional>

namespace framework {

// A rectangle of physical pixels with both corners included.
struct ClipRect {
    int32_t x1 = 0;
    int32_t y1 = 0;
    int32_t x2 = 0;
    int32_t y2 = 0;

    friend bool operator==(const ClipRect&, const ClipRect&) = default;

    bool contains(raster::Point p) const {
        return p.x >= x1 && p.x <= x2 && p.y >= y1 && p.y <= y2;
    }
    // The same pixels as a raster rectangle (exclusive right and bottom).
    raster::Rect as_rect() const { return {x1, y1, x2 + 1, y2 + 1}; }
};

// The real-valued window coordinates that span the viewport.
struct WindowRect {
    double wx1 = 0;
    double wy1 = 0;
    double wx2 = 0;
    double wy2 = 0;
};

using FillMask = std::array<uint8_t, 8>;

enum class WriteMode : int32_t { merge = 0, mask = 1, not_pen = 2, copy = 3, exclusive_or = 4 };

// Every field the gw_ routines read and write; coordinates are signed 16-bit values held in
// 32-bit fields. Plain data guarded by its surface's lock.
struct GraphicsState {
    raster::Point position;        // physical
    raster::Point viewport_origin; // physical point that is viewport (0, 0)
    ClipRect clip_rect;            // physical
    WindowRect window_rect;
    bool window_invert_y = false;
    double scale_x = 1;
    double scale_y = 1;
    double inv_scale_x = 1;
    double inv_scale_y = 1;
    TaggedColor graphics_color = tagged_index(15);
    TaggedColor text_color = tagged_index(15);
    TaggedColor background_color = tagged_index(0);
    WriteMode write_mode = WriteMode::copy;
    int16_t line_style = -1;
    raster::PenStyle pen_style = raster::PenStyle::solid;
    std::optional<FillMask> fill_mask;
    raster::Point scroll_offset;
    bool dirty = false;

    // The state of a freshly built surface of the given size and number of colours.
    static GraphicsState for_surface(int32_t width, int32_t height, int32_t colors);
};

// scale = (clip extent) / (window extent) in each direction, inv_scale its reciprocal. Called
// whenever the viewport origin, the clip rectangle (through the viewport) or the window
// rectangle changes.
void recompute_scales(GraphicsState& state);

} // namespace framework
