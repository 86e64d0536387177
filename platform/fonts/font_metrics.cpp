// The platform's size arithmetic over a face's OS/2 and horizontal-header metrics.
#include "platform/fonts/font_metrics.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fonts {

namespace {

int32_t round_px(double value) {
    return static_cast<int32_t>(std::lround(value));
}

// The sans-serif class of the OS/2 family classes; every other class but 0 (none), 10 (script)
// and 12 (symbolic) is a serif design.
uint8_t family_of(int32_t family_class, bool fixed_pitch) {
    if (fixed_pitch)
        return FF_MODERN;
    const int32_t major = family_class >> 8;
    if (major == 8)
        return FF_SWISS;
    if (major >= 1 && major <= 7)
        return FF_ROMAN;
    return FF_DONTCARE;
}

} // namespace

FaceMeasures read_measures(FT_Face face) {
    FaceMeasures m;
    m.units_per_em = std::max<int32_t>(face->units_per_EM, 1);
    m.max_width = static_cast<int32_t>(face->bbox.xMax - face->bbox.xMin);
    m.underline_position = face->underline_position;
    m.underline_thickness = std::max<int32_t>(face->underline_thickness, 1);
    m.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    m.fixed_pitch = FT_IS_FIXED_WIDTH(face);
    const int32_t hhea_ascender = face->ascender;
    const int32_t hhea_descender = -face->descender;
    const int32_t hhea_gap = face->height - (hhea_ascender + hhea_descender);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFFu) {
        m.win_ascent = os2->usWinAscent;
        m.win_descent = os2->usWinDescent;
        m.average_width = os2->xAvgCharWidth;
        m.weight = os2->usWeightClass;
        m.family = family_of(os2->sFamilyClass, m.fixed_pitch);
    } else {
        m.win_ascent = hhea_ascender;
        m.win_descent = hhea_descender;
        m.average_width = face->max_advance_width / 2;
        m.weight = (face->style_flags & FT_STYLE_FLAG_BOLD) ? FW_BOLD : FW_NORMAL;
        m.family = family_of(0, m.fixed_pitch);
    }
    if (m.win_ascent + m.win_descent <= 0) {
        m.win_ascent = m.units_per_em * 4 / 5;
        m.win_descent = m.units_per_em / 5;
    }
    m.average_width = std::max(m.average_width, 1);
    // The line gap the platform reports beyond the win metrics.
    m.line_gap =
        std::max(0, hhea_gap - ((m.win_ascent + m.win_descent) - (hhea_ascender + hhea_descender)));
    return m;
}

// A positive height is the cell height, winAscent + winDescent scaled, so the em height is
// h * unitsPerEm / (winAscent + winDescent); a negative one is the em height itself; 0 takes the
// default cell height. A positive width is the font's average character width (xAvgCharWidth
// scaled, not that of any string), so the horizontal em is w * unitsPerEm / xAvgCharWidth; 0
// keeps the glyphs' proportions.
EmSize em_size(const FaceMeasures& face, const LogicalFont& font) {
    const double cell_units = face.win_ascent + face.win_descent;
    EmSize em;
    if (font.height < 0)
        em.y = -static_cast<double>(font.height);
    else
        em.y =
            (font.height > 0 ? font.height : DEFAULT_CELL_HEIGHT) * face.units_per_em / cell_units;
    const int32_t width = std::abs(font.width);
    em.x = width > 0 ? static_cast<double>(width) * face.units_per_em / face.average_width : em.y;
    return em;
}

// A cell height that was asked for is kept exactly: the ascent is rounded and the descent
// takes the rest. Likewise an average width that was asked for is reported as it is.
TextMetrics text_metrics(const FaceMeasures& face, const LogicalFont& font, EmSize em) {
    const double y_scale = em.y / face.units_per_em;
    const double x_scale = em.x / face.units_per_em;
    TextMetrics m;
    m.ascent = round_px(face.win_ascent * y_scale);
    m.height = font.height > 0 ? font.height : m.ascent + round_px(face.win_descent * y_scale);
    m.descent = m.height - m.ascent;
    m.internal_leading = std::max(0, m.height - round_px(em.y));
    m.external_leading = round_px(face.line_gap * y_scale);
    m.average_char_width =
        font.width != 0 ? std::abs(font.width) : round_px(face.average_width * x_scale);
    m.max_char_width = std::max(m.average_char_width, round_px(face.max_width * x_scale));
    m.weight = font.weight != FW_DONTCARE ? font.weight : face.weight;
    m.italic = font.italic != 0 || face.italic ? 1 : 0;
    m.underlined = font.underline;
    m.struck_out = font.strike_out;
    m.pitch_and_family =
        static_cast<uint8_t>((face.fixed_pitch ? FIXED_PITCH : VARIABLE_PITCH) | face.family);
    m.charset = font.charset;
    return m;
}

} // namespace fonts
