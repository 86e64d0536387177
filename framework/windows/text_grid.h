// The text grid of a window configuration: character cells laid over the surface.
#pragma once

#include "platform/fonts/font.h"

#include <cstdint>
#include <memory>

constexpr int32_t GW_DEFAULT_CELL_WIDTH = 8;
constexpr int32_t GW_DEFAULT_CELL_HEIGHT = 16;

namespace framework {

// The grid of the configuration in force on a window; part of gw_child_window, guarded by the
// window's surface lock.
struct TextGrid {
    int32_t cell_width = GW_DEFAULT_CELL_WIDTH;
    int32_t cell_height = GW_DEFAULT_CELL_HEIGHT;
    int32_t columns = 0;
    int32_t rows = 0;
    std::shared_ptr<const fonts::Font> font; // the text font; none when no font could be made
};

// One direction of a configuration: `pixels` of surface holding `count` cells of `cell` pixels.
// -1 (or any value below 1) in a field asks for its default.
struct GridAxis {
    int32_t pixels = -1;
    int32_t count = -1;
    int32_t cell = -1;
};

// Settles the three values of one direction from those given:
// - no cell, pixels given: the default cell and as many cells as fit, or with a count the cell
//   that divides the pixels among them;
// - no cell, no pixels: the default cell, and the screen's size or count x cell;
// - a cell, no pixels: as many cells as the screen holds, or the count given, at that cell;
// - a cell and pixels: as many cells as fit.
// The surface never exceeds 32767 pixels, and a cell is at least 1 pixel. True when a value
// that was given had to change (the configuration is then adjusted).
//
// A cell of 0 is the default cell here; dividing by it would end the program.
bool settle_axis(GridAxis& axis, int32_t default_cell, int32_t screen_size);

// The two halves of a configuration's cell size (width << 16 | height), -1 for the default
// cell. A half of 0 leaves that size to the font: the grid starts from the default cell and the
// font's own size then becomes the cell.
int32_t cell_width_of(int32_t cell_size);
int32_t cell_height_of(int32_t cell_size);
constexpr int32_t cell_size(int32_t width, int32_t height) {
    return static_cast<int32_t>(static_cast<uint32_t>(width) << 16 |
                                (static_cast<uint32_t>(height) & 0xFFFFu));
}

} // namespace framework
