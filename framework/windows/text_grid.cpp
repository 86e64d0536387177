// Settling the text grid of a window configuration.
#include "framework/windows/text_grid.h"

#include <algorithm>

namespace framework {

namespace {

constexpr int32_t MAX_SURFACE = INT16_MAX;

bool given(int32_t value) {
    return value > 0;
}

} // namespace

bool settle_axis(GridAxis& axis, int32_t default_cell, int32_t screen_size) {
    bool adjusted = false;
    if (!given(axis.cell)) {
        if (given(axis.pixels) && given(axis.count)) {
            axis.cell = std::max(axis.pixels / axis.count, 1);
        } else if (given(axis.pixels)) {
            axis.cell = default_cell;
            axis.count = axis.pixels / axis.cell;
        } else if (given(axis.count)) {
            axis.cell = default_cell;
            axis.pixels = axis.cell * axis.count;
        } else {
            axis.cell = default_cell;
            axis.pixels = screen_size;
            axis.count = axis.pixels / axis.cell;
        }
    } else if (!given(axis.pixels)) {
        if (!given(axis.count))
            axis.count = std::max(screen_size / axis.cell, 1); // a cell larger than the screen
        axis.pixels = axis.cell * axis.count;
    } else {
        const int32_t fitting = axis.pixels / axis.cell;
        adjusted = given(axis.count) && fitting != axis.count;
        axis.count = fitting;
    }
    if (axis.pixels > MAX_SURFACE) {
        // A count of large cells can ask for more surface than the record holds.
        axis.pixels = MAX_SURFACE / axis.cell * axis.cell;
        axis.count = axis.pixels / axis.cell;
        adjusted = true;
    }
    return adjusted;
}

int32_t cell_width_of(int32_t cell_size) {
    return cell_size > 0 ? static_cast<int32_t>(static_cast<uint32_t>(cell_size) >> 16) : -1;
}

int32_t cell_height_of(int32_t cell_size) {
    return cell_size > 0 ? cell_size & 0xFFFF : -1;
}

} // namespace framework
