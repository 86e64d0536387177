// Measuring and drawing text with a created font.
//
// Glyphs are rendered crisp (one bit per pixel, hinted for monochrome), not antialiased against
// the destination. Every pixel text touches then takes exactly the text colour, so text on a
// window of 16 or 256 palette colours stays within that palette, pixel read-back sees only the
// colours the program drew, and pictures of drawn text are identical from run to run. It is also
// how the program's windows looked on the platform it was written for, where screen text was not
// smoothed.
#include "platform/fonts/face_cache.h"
#include "platform/fonts/font.h"

#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fonts {

namespace {

constexpr FT_Int32 LOAD_FLAGS = FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO;

struct Direction {
    double cos = 1;
    double sin = 0;
};

Direction direction_of(int32_t tenths) {
    const double radians = tenths * std::numbers::pi / 1800.0;
    Direction d{std::cos(radians), std::sin(radians)};
    // Exact quarter turns, so that turned text lands on whole pixels.
    if (tenths % 900 == 0) {
        d.cos = std::round(d.cos);
        d.sin = std::round(d.sin);
    }
    return d;
}

// Copies the set bits of a rendered one-bit glyph whose top-left pixel is (left, top).
raster::Rect blit_mono(const FT_Bitmap& glyph, int32_t left, int32_t top, raster::Bitmap& bitmap,
                       const raster::Rect& clip, raster::Pixel pixel) {
    raster::Rect painted;
    for (uint32_t row = 0; row < glyph.rows; ++row) {
        const int32_t y = top + static_cast<int32_t>(row);
        if (y < clip.top || y >= clip.bottom)
            continue;
        const unsigned char* bits = glyph.buffer + static_cast<ptrdiff_t>(row) * glyph.pitch;
        for (uint32_t col = 0; col < glyph.width; ++col) {
            if ((bits[col >> 3] & (0x80 >> (col & 7))) == 0)
                continue;
            const int32_t x = left + static_cast<int32_t>(col);
            if (x < clip.left || x >= clip.right)
                continue;
            bitmap.set_pixel(x, y, pixel);
            painted = painted.united({x, y, x + 1, y + 1});
        }
    }
    return painted;
}

class GlyphLoader {
public:
    GlyphLoader(FT_Face face, bool italic, bool bold)
        : m_face(face), m_italic(italic), m_bold(bold) {}

    // Loads the glyph of a character, hinted; false when it has no outline to draw.
    bool load(char32_t ch) {
        const FT_UInt index = FT_Get_Char_Index(m_face, ch);
        if (FT_Load_Glyph(m_face, index, LOAD_FLAGS) != 0)
            return false;
        if (m_italic)
            FT_GlyphSlot_Oblique(m_face->glyph);
        if (m_bold)
            FT_GlyphSlot_Embolden(m_face->glyph);
        return m_face->glyph->format == FT_GLYPH_FORMAT_OUTLINE;
    }
    // Whole pixels: hinting rounds the advance.
    int32_t advance() const { return static_cast<int32_t>((m_face->glyph->advance.x + 32) >> 6); }

private:
    FT_Face m_face;
    bool m_italic;
    bool m_bold;
};

FT_Face sized_face(const std::string& path, int32_t index, int64_t em_x, int64_t em_y) {
    FT_Face face = thread_face({path, index});
    if (!face || !set_face_size(face, em_x, em_y))
        return nullptr;
    return face;
}

} // namespace

TextExtent Font::measure(std::u32string_view text) const {
    TextExtent extent{0, m_metrics.height};
    FT_Face face = sized_face(m_path, m_face_index, m_em_x, m_em_y);
    if (!face)
        return extent;
    GlyphLoader loader(face, m_synthetic_italic, m_synthetic_bold);
    for (char32_t ch : text) {
        loader.load(ch);
        extent.width += loader.advance();
    }
    return extent;
}

// The baseline starts `ascent` below the top-left corner of the first cell, measured across the
// turned baseline: in screen coordinates (y down) the text runs along (cos a, -sin a) and "down"
// in the text's frame is (sin a, cos a). Each glyph is hinted upright, turned about its origin,
// moved by the sub-pixel part of its pen position and rendered one bit per pixel.
DrawnText Font::draw(raster::Bitmap& bitmap, const raster::Rect& clip, raster::Point top_left,
                     raster::ColorRef color, std::u32string_view text) const {
    const raster::Rect area = clip.intersected(bitmap.bounds());
    FT_Face face = sized_face(m_path, m_face_index, m_em_x, m_em_y);
    if (!face)
        return {};
    const Direction d = direction_of(m_logical.escapement);
    const bool turned = d.cos != 1;
    const FT_Matrix rotation{static_cast<FT_Fixed>(std::lround(d.cos * 65536)),
                             static_cast<FT_Fixed>(std::lround(-d.sin * 65536)),
                             static_cast<FT_Fixed>(std::lround(d.sin * 65536)),
                             static_cast<FT_Fixed>(std::lround(d.cos * 65536))};
    const double origin_x = top_left.x + m_metrics.ascent * d.sin;
    const double origin_y = top_left.y + m_metrics.ascent * d.cos;
    const raster::Pixel pixel = raster::pixel_from_colorref(color);

    GlyphLoader loader(face, m_synthetic_italic, m_synthetic_bold);
    raster::Rect painted;
    int32_t pen = 0;
    for (char32_t ch : text) {
        const bool drawable = loader.load(ch);
        const int32_t advance = loader.advance();
        if (drawable) {
            const double gx = origin_x + pen * d.cos;
            const double gy = origin_y - pen * d.sin;
            const double base_x = std::floor(gx);
            const double base_y = std::floor(gy);
            FT_Outline& outline = face->glyph->outline;
            if (turned)
                FT_Outline_Transform(&outline, &rotation);
            FT_Outline_Translate(&outline, std::lround((gx - base_x) * 64),
                                 -std::lround((gy - base_y) * 64));
            if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0) {
                const FT_GlyphSlot slot = face->glyph;
                painted = painted.united(blit_mono(
                    slot->bitmap, static_cast<int32_t>(base_x) + slot->bitmap_left,
                    static_cast<int32_t>(base_y) - slot->bitmap_top, bitmap, area, pixel));
            }
        }
        pen += advance;
    }
    if (m_logical.underline && pen > 0) {
        // The underline is the band of the text frame from the pen's start to its end, at the
        // font's underline offset below the baseline; a pixel belongs to it when its centre does.
        const double top = m_underline_offset - m_underline_thickness / 2.0;
        const double bottom = top + m_underline_thickness;
        const double corners[4][2] = {{0, top},
                                      {static_cast<double>(pen), top},
                                      {0, bottom},
                                      {static_cast<double>(pen), bottom}};
        double min_x = 1e9, min_y = 1e9, max_x = -1e9, max_y = -1e9;
        for (const auto& c : corners) {
            const double x = origin_x + c[0] * d.cos + c[1] * d.sin;
            const double y = origin_y - c[0] * d.sin + c[1] * d.cos;
            min_x = std::min(min_x, x), max_x = std::max(max_x, x);
            min_y = std::min(min_y, y), max_y = std::max(max_y, y);
        }
        const raster::Rect box = raster::Rect{static_cast<int32_t>(std::floor(min_x)),
                                              static_cast<int32_t>(std::floor(min_y)),
                                              static_cast<int32_t>(std::ceil(max_x)) + 1,
                                              static_cast<int32_t>(std::ceil(max_y)) + 1}
                                     .intersected(area);
        for (int32_t y = box.top; y < box.bottom; ++y) {
            for (int32_t x = box.left; x < box.right; ++x) {
                const double px = x + 0.5 - origin_x;
                const double py = y + 0.5 - origin_y;
                const double along = px * d.cos - py * d.sin;
                const double across = px * d.sin + py * d.cos;
                if (along >= 0 && along < pen && across >= top && across < bottom) {
                    bitmap.set_pixel(x, y, pixel);
                    painted = painted.united({x, y, x + 1, y + 1});
                }
            }
        }
    }
    return {painted, pen};
}

} // namespace fonts
