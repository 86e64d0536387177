// Digits drawn as bold seven-segment shapes on a grid of figure tiles.
#pragma once

#include <cstdint>
#include <vector>

namespace tools {

// A cell of the digit's grid, counted in tiles from its top-left corner.
struct GridCell {
    int32_t row = 0;
    int32_t column = 0;
};

// The cells a digit (0..9) covers on a grid of `columns` x `rows` cells whose strokes are
// `thickness` cells wide, row by row from the top, each row from the left.
std::vector<GridCell> seven_segment_digit(int32_t digit, int32_t columns, int32_t rows,
                                          int32_t thickness);

} // namespace tools
