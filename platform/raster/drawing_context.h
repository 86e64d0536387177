// A drawing context: pens, brushes, raster operations and clipping over a Bitmap, with the
// pixel rules of the platform's graphics device interface.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"
#include "platform/raster/geometry.h"
#include "platform/raster/region.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace raster {

// Cosmetic pen styles, one pixel wide. A styled pen's dashes run along the major axis:
// dash 18 on 6 off, dot 3 on 3 off, dash-dot 9-6-3-6, dash-dot-dot 9-3-3-3-3-3.
enum class PenStyle : uint8_t { solid, dash, dot, dash_dot, dash_dot_dot, null };

struct Pen {
    PenStyle style = PenStyle::solid;
    ColorRef color = 0x000000;
};

enum class BrushStyle : uint8_t { solid, null, hatched, pattern };
enum class HatchStyle : uint8_t {
    horizontal,
    vertical,
    forward_diagonal,
    backward_diagonal,
    cross,
    diagonal_cross
};

// A pattern brush is an 8 x 8 one-bit bitmap, one byte per row from the top, most significant
// bit leftmost. Clear bits are painted in the context's text colour, set bits in its background
// colour, anchored at the brush origin.
struct Brush {
    BrushStyle style = BrushStyle::solid;
    ColorRef color = 0xFFFFFF;
    HatchStyle hatch = HatchStyle::horizontal;
    std::array<uint8_t, 8> pattern{};

    static Brush solid(ColorRef color) { return {BrushStyle::solid, color, {}, {}}; }
    static Brush null() { return {BrushStyle::null, 0, {}, {}}; }
    static Brush hatched(HatchStyle hatch, ColorRef color) {
        return {BrushStyle::hatched, color, hatch, {}};
    }
    static Brush with_pattern(const std::array<uint8_t, 8>& rows) {
        return {BrushStyle::pattern, 0, {}, rows};
    }
};

// The sixteen binary raster operations, numbered as the platform numbers them.
enum class RasterOp : uint8_t {
    black = 1,
    not_merge_pen,
    mask_not_pen,
    not_copy_pen,
    mask_pen_not,
    invert, // NOT destination
    xor_pen,
    not_mask_pen,
    mask_pen,
    not_xor_pen,
    nop,
    merge_not_pen,
    copy_pen,
    merge_pen_not,
    merge_pen,
    white
};

enum class BackgroundMode : uint8_t { transparent = 1, opaque = 2 };
enum class PolygonFillMode : uint8_t { alternate = 1, winding = 2 };

// Everything a drawing call depends on, in one plain record.
struct DrawState {
    Pen pen;
    Brush brush;
    RasterOp raster_op = RasterOp::copy_pen;
    BackgroundMode background_mode = BackgroundMode::opaque;
    ColorRef background_color = 0xFFFFFF;
    ColorRef text_color = 0x000000;
    PolygonFillMode fill_mode = PolygonFillMode::alternate;
    Point brush_origin;
    Point position;
    std::optional<Region> clip; // none: the whole bitmap
};

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
