// A child window's current graphic-text font.
#pragma once

#include "platform/fonts/font.h"

#include <array>
#include <cstdint>
#include <memory>

// Part of gw_child_window, guarded by the window's surface lock.
struct gw_window_font {
    std::shared_ptr<const fonts::Font> font; // the current platform font object, or none
    int32_t font_index = -1;                 // table index, -1 when none was selected
    uint32_t font_type = 0;                  // the entry's font-type bits
    int32_t font_ascent = 0;
    int32_t font_cell_width = 0; // the width used for a fixed-pitch font; 0 when proportional
    int32_t font_height = 0;     // as created; 0 was the platform's choice
    int32_t font_width = 0;
    std::array<char, 32> font_face{};
    bool font_italic = false;
    bool font_bold = false; // weight 700 or more
    bool font_underline = false;
};
