// A created font: measuring text and drawing it into a bitmap, at any angle, in any colour.
#pragma once

#include "platform/fonts/logical_font.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"
#include "platform/raster/geometry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace fonts {

struct TextExtent {
    int32_t width = 0;
    int32_t height = 0;
};

struct DrawnText {
    raster::Rect painted; // the pixels set, empty when none
    int32_t width = 0;    // the advance, as measure() gives it
};

// Immutable once created, so any thread may measure and draw with it (each thread works on its
// own FreeType objects). Made by FontLibrary::create.
class Font {
public:
    const LogicalFont& logical() const { return m_logical; }
    const TextMetrics& metrics() const { return m_metrics; }
    // The face the font was matched to, for tests and diagnostics.
    const std::string& file_path() const { return m_path; }
    int32_t face_index() const { return m_face_index; }
    const std::string& family() const { return m_family; }
    const std::string& style() const { return m_style; }

    // The advance of the text along its baseline (the sum of the glyphs' advances) and the
    // font's cell height. Text is Unicode code points.
    TextExtent measure(std::u32string_view text) const;

    // Draws the text with the top-left corner of its first character cell at `top_left`, the
    // baseline turned by the font's escapement about that corner. Only glyph pixels inside
    // `clip` (cut to the bitmap) are set, to `color`; nothing else is touched.
    DrawnText draw(raster::Bitmap& bitmap, const raster::Rect& clip, raster::Point top_left,
                   raster::ColorRef color, std::u32string_view text) const;

private:
    friend class FontLibrary;
    Font() = default;

    LogicalFont m_logical;
    TextMetrics m_metrics;
    std::string m_path;
    int32_t m_face_index = 0;
    std::string m_family;
    std::string m_style;
    int64_t m_em_x = 0; // 26.6 pixels
    int64_t m_em_y = 0;
    bool m_synthetic_italic = false;
    bool m_synthetic_bold = false;
    int32_t m_underline_offset = 0; // below the baseline, pixels
    int32_t m_underline_thickness = 1;
};

} // namespace fonts
