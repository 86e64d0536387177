// Creating a window configuration's text font and judging its size against the cell asked for.
#include "framework/windows/text_grid_font.h"

#include "framework/windows/process_font_library.h"
#include "runtime/cp1251.h"

namespace framework {

std::optional<TextFont> create_text_font(const std::string& face, int32_t cell_width,
                                         int32_t cell_height, int32_t style) {
    fonts::LogicalFont logical;
    logical.height = cell_height;
    logical.width = cell_width;
    if (style == GW_FONT_STYLE_NORMAL) {
        logical.weight = fonts::FW_NORMAL;
    } else {
        logical.weight = (style & 1) ? fonts::FW_BOLD : fonts::FW_DONTCARE;
        logical.underline = (style & 2) ? 1 : 0;
        logical.italic = (style & 4) ? 1 : 0;
    }
    logical.pitch_and_family = fonts::FIXED_PITCH | fonts::FF_MODERN;
    logical.set_face_name(face.empty() ? std::string("Courier New") : cp1251_to_utf8(face));

    std::shared_ptr<const fonts::Font> font;
    if (fonts::FontLibrary* fonts = process_font_library())
        font = fonts->create(logical);
    if (!font)
        return std::nullopt;
    const fonts::TextMetrics& metrics = font->metrics();
    TextFont text_font{font, cell_width, cell_height, false};
    const bool width_off =
        metrics.average_char_width < cell_width - 2 || metrics.average_char_width > cell_width + 1;
    const bool height_off = metrics.height < cell_height - 2 || metrics.height > cell_height + 2;
    if (width_off || height_off) {
        text_font.cell_width = metrics.average_char_width;
        text_font.cell_height = metrics.height;
        text_font.adjusted = true;
    }
    return text_font;
}

} // namespace framework
