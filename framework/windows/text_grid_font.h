// The text font of a window configuration: a fixed-pitch font for the text grid's cells.
#pragma once

#include "platform/fonts/font.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The style of a text font that asks for nothing: weight 400, upright, not underlined.
constexpr int32_t GW_FONT_STYLE_NORMAL = static_cast<int32_t>(0x80000000u);

namespace framework {

struct TextFont {
    std::shared_ptr<const fonts::Font> font;
    int32_t cell_width = 0; // the font's average character width
    int32_t cell_height = 0;
    // The font's size differs from the cell asked for (width outside w - 2 .. w + 1 or height
    // outside h +- 2): the cell is then the font's own size.
    bool adjusted = false;
};

// Creates the text font for a cell of `cell_width` x `cell_height` pixels (0 leaves that
// dimension to the platform). `style` is GW_FONT_STYLE_NORMAL (weight 400), or bits 1 bold,
// 2 underline, 4 italic (0: the default weight). An empty face means "Courier New"; the face is
// CP1251 as the configuration record holds it. Nothing when no font can be created.
std::optional<TextFont> create_text_font(const std::string& face, int32_t cell_width,
                                         int32_t cell_height, int32_t style);

} // namespace framework
