// A drawing context: pens, brushes, raster operations and clipping over a Bitmap, with the
// pixel rules of the platform's graphics device interface.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"
#include "platform/raster/draw_state.h"
#include "platform/raster/geometry.h"
#include "platform/raster/region.h"

#include <cstdint>
#include <optional>
#include <span>

namespace raster {

// Draws into a borrowed Bitmap, which must outlive the context. Not thread-safe.
// Coordinates are device pixels; anything outside the bitmap or the clip region is cut off
// without moving any pixel that remains.
class DrawingContext {
public:
    explicit DrawingContext(Bitmap& target);

    Bitmap& target() { return *m_target; }
    DrawState& state() { return m_state; }
    const DrawState& state() const { return m_state; }

    // Lines leave out their last pixel. Each line_to starts its pen style afresh; a
    // polyline continues the style across its vertices and draws each joint once.
    Point move_to(Point p); // returns the previous position
    bool line_to(Point p);
    bool polyline(std::span<const Point> points);

    // Outline with the pen, interior with the brush. Right and bottom are exclusive.
    bool rectangle(Rect rect);
    // Returns false, drawing nothing, when the box is wider or taller than 65536 pixels.
    bool ellipse(Rect box);
    bool polygon(std::span<const Point> points);

    // Fills the rectangle with the brush and the copy operation, no outline.
    bool fill_rect(Rect rect, const Brush& brush);

    // The pixel's colour, or nothing outside the bitmap or the clip region.
    std::optional<ColorRef> get_pixel(Point p) const;
    // Sets the exact colour through the raster operation; returns the colour set, or nothing
    // when the pixel lies outside the bitmap or the clip region.
    std::optional<ColorRef> set_pixel(Point p, ColorRef color);
    // Sets the exact colour with no raster operation (still clipped).
    bool set_pixel_copy(Point p, ColorRef color);

    void set_clip(std::optional<Region> region) { m_state.clip = std::move(region); }
    void set_clip_rect(Rect rect) { set_clip(Region::rectangle(rect)); }
    void intersect_clip_rect(Rect rect);
    void exclude_clip_rect(Rect rect);

    // Copies `source_rect` of `source` (which may be the target itself) to `destination`,
    // clipped to this context's clip region. Overlapping copies are done as if through a
    // temporary.
    void copy_from(const Bitmap& source, Rect source_rect, Point destination);
    // Moves the pixels inside `area` by (dx, dy); pixels that would come from outside `area`
    // are left as they were.
    void scroll(Rect area, int32_t dx, int32_t dy);

private:
    Bitmap* m_target;
    DrawState m_state;
};

// Restores a context's state when it goes out of scope.
class DrawStateSaver {
public:
    explicit DrawStateSaver(DrawingContext& context)
        : m_context(context), m_saved(context.state()) {}
    ~DrawStateSaver() { m_context.state() = m_saved; }
    DrawStateSaver(const DrawStateSaver&) = delete;
    DrawStateSaver& operator=(const DrawStateSaver&) = delete;

private:
    DrawingContext& m_context;
    DrawState m_saved;
};

} // namespace raster
