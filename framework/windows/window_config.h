// Window configurations: the record, the screen defaults and applying a configuration to a window.
#pragma once

#include "framework/windows/child_window.h"
#include "framework/windows/text_grid_font.h"

#include <cstdint>
#include <functional>
#include <string>

constexpr int32_t GW_DEFAULT_FONT_CELL = -1;
constexpr int32_t GW_EXTENDED_FONT_CELL = -2;

// Exchanged with the application; -1 in a size or count field asks for the default.
struct gw_window_config {
    int16_t surface_width = -1;
    int16_t surface_height = -1;
    int16_t text_columns = -1;
    int16_t text_rows = -1;
    int16_t colors = -1;
    int32_t font_cell = GW_DEFAULT_FONT_CELL; // cell width << 16 | cell height
    char title[80] = {};                      // NUL-terminated; empty keeps the current title
    int16_t bits_per_pixel = 0;               // returned
    int16_t returned_zero = 0;
    int16_t returned_minus_one = -1;
    int16_t returned_zeros[4] = {};
    char font_face[32] = {}; // extended font fields, used with font_cell -2
    int32_t font_cell_extended = GW_DEFAULT_FONT_CELL;
    int32_t font_style = GW_FONT_STYLE_NORMAL; // 1 bold, 2 underline, 4 italic
};

// Applies a configuration to a window: the surface size, the text grid (cells, columns and rows,
// each direction settled as framework::settle_axis says) and the text font (the face, default
// "Courier New", fixed pitch, made for the cell; a font whose average width is off the cell's by
// more than -2..+1 or whose height by more than 2 makes its own size the cell), the colours and
// the title. The surface is rebuilt, filled with palette entry 0, its palette rebuilt and its
// graphics state reset. Result 1 when applied. Result 0 when a value had to be adjusted: the
// record then holds the values that would be used and nothing changes (applying it again
// succeeds). Result 0 with status -8 when the surface memory cannot be had, and with status -1
// for a window that is not open.
int32_t gw_apply_window_config(gw_window_config& config, gw_child_window& window);

namespace framework {

// The display the defaults come from: its size in pixels (1024 x 768 until set) and its number of
// colours, 256 for a true-colour display. Thread-safe.
void set_screen_size(int32_t width, int32_t height);
int32_t screen_width();
int32_t screen_height();
constexpr int32_t DISPLAY_COLORS = 256;
constexpr int16_t DISPLAY_BITS_PER_PIXEL = 32;

// Applies the default configuration to a window that has none yet, and the adjusted one when
// the default needed adjusting. False when the window could not be configured. Thread-safe.
bool ensure_configured(gw_child_window& window);

// Checks the record's fields before it is applied: sizes, counts and colours must be -1 or above
// 0, the font cell -1, -2 or above 0; with -2 the extended style must be 0x80000000 or hold bit
// 1, 2 or 4 and the extended cell must not be 0. A field that breaks its rule is set to -1 (the
// style to 0x80000000) and false returned.
bool validate_window_config(gw_window_config& config);

// Tells the user that no font could be made for a window's text cells; `face` is the face asked
// for (CP1251, empty for the default face). Called for every configuration that gets no font,
// under the configuration lock, so it must not wait for another thread. The program floor
// registers it at start-up, before any window is configured; without it the window simply has
// no text font.
using MissingTextFontReport = std::function<void(const std::string& face)>;
void set_missing_text_font_report(MissingTextFontReport report);

} // namespace framework
