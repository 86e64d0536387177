// The brush stage: what a brush puts down at each pixel of a filled span.
#include "platform/raster/brush.h"

#include <algorithm>

namespace raster {

namespace {

// Hatch tiles, one byte per row from the top, most significant bit leftmost; set bits are
// drawn in the brush colour, clear bits in the background colour (or not at all when the
// background mode is transparent).
constexpr std::array<std::array<uint8_t, 8>, 6> HATCH_TILES{{
    {0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x08, 0x08, 0x08, 0xff, 0x08, 0x08, 0x08, 0x08}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
}};

bool tile_bit(const std::array<uint8_t, 8>& tile, int32_t column, int32_t row) {
    return tile[static_cast<size_t>(row)] >> (7 - column) & 1u;
}

// One tile, two colours: `set_color` where a bit is set, `clear_color` where it is clear, and
// clear cells skipped when `skip_clear`.
void paint_tile(BrushPainter& painter, const std::array<uint8_t, 8>& tile, RasterOp op,
                ColorRef set_color, ColorRef clear_color, bool skip_clear) {
    painter.is_uniform = false;
    const RopCodes set_codes = make_rop_codes(op, pixel_from_colorref(set_color));
    const RopCodes clear_codes = make_rop_codes(op, pixel_from_colorref(clear_color));
    for (int32_t row = 0; row < 8; ++row) {
        for (int32_t column = 0; column < 8; ++column) {
            const bool set = tile_bit(tile, column, row);
            const auto cell = static_cast<size_t>(row * 8 + column);
            painter.cells[cell] = set ? set_codes : clear_codes;
            if (!set && skip_clear)
                painter.skipped |= uint64_t{1} << cell;
        }
    }
}

} // namespace

BrushPainter make_brush_painter(const Brush& brush, const DrawState& state, RasterOp op) {
    BrushPainter painter;
    painter.origin = state.brush_origin;
    switch (brush.style) {
    case BrushStyle::null:
        return painter;
    case BrushStyle::solid:
        painter.uniform = make_rop_codes(op, pixel_from_colorref(brush.color));
        break;
    case BrushStyle::hatched:
        paint_tile(painter, HATCH_TILES[static_cast<size_t>(brush.hatch)], op, brush.color,
                   state.background_color, state.background_mode == BackgroundMode::transparent);
        break;
    case BrushStyle::pattern:
        // A one-bit pattern brush takes its colours from the context when it is used: clear
        // bits the text colour, set bits the background colour, whatever the background mode.
        paint_tile(painter, brush.pattern, op, state.background_color, state.text_color, false);
        break;
    }
    painter.is_null = false;
    return painter;
}

void fill_span(Bitmap& target, const ClipArea& clip, int32_t y, int32_t x_begin, int32_t x_end,
               const BrushPainter& brush) {
    if (brush.is_null || y < clip.bounds.top || y >= clip.bounds.bottom)
        return;
    x_begin = std::max(x_begin, clip.bounds.left);
    x_end = std::min(x_end, clip.bounds.right);
    if (x_begin >= x_end)
        return;
    Pixel* row = target.row(y);
    if (brush.is_uniform && clip.is_rectangular()) {
        if (brush.uniform.is_copy())
            std::fill(row + x_begin, row + x_end, brush.uniform.xor_bits);
        else
            for (int32_t x = x_begin; x < x_end; ++x)
                row[x] = brush.uniform.apply(row[x]);
        return;
    }
    // Unsigned differences wrap instead of overflowing; the low three bits stay right.
    const uint32_t tile_row =
        (static_cast<uint32_t>(y) - static_cast<uint32_t>(brush.origin.y)) & 7u;
    for (int32_t x = x_begin; x < x_end; ++x) {
        if (clip.mask != nullptr && !clip.mask->contains({x, y}))
            continue;
        if (brush.is_uniform) {
            row[x] = brush.uniform.apply(row[x]);
            continue;
        }
        const uint32_t column =
            (static_cast<uint32_t>(x) - static_cast<uint32_t>(brush.origin.x)) & 7u;
        const uint32_t cell = tile_row * 8 + column;
        if (!(brush.skipped >> cell & 1u))
            row[x] = brush.cells[cell].apply(row[x]);
    }
}

void fill_rect(Bitmap& target, const ClipArea& clip, const Rect& rect, const BrushPainter& brush) {
    const Rect area = rect.intersected(clip.bounds);
    for (int32_t y = area.top; y < area.bottom; ++y)
        fill_span(target, clip, y, area.left, area.right, brush);
}

} // namespace raster
