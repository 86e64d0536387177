// Seven-segment digits: which segments each digit lights, and the cells each segment covers.
#include "tools/seven_segment.h"

#include <array>
#include <cstddef>

namespace tools {

namespace {

// Segments a (top), b (upper right), c (lower right), d (bottom), e (lower left), f (upper left)
// and g (middle), as bits 0..6.
constexpr std::array<uint8_t, 10> DIGIT_SEGMENTS{
    0b0111111, // 0: a b c d e f
    0b0000110, // 1: b c
    0b1011011, // 2: a b d e g
    0b1001111, // 3: a b c d g
    0b1100110, // 4: b c f g
    0b1101101, // 5: a c d f g
    0b1111101, // 6: a c d e f g
    0b0000111, // 7: a b c
    0b1111111, // 8: all
    0b1101111, // 9: a b c d f g
};

bool lit(uint8_t segments, int32_t segment) {
    return (segments >> segment & 1) != 0;
}

} // namespace

// The three bars span the whole width; the middle bar lies halfway down. The upright strokes
// run from the top bar to the middle bar and from the middle bar to the bottom bar, overlapping
// the bars, so that corners are filled.
std::vector<GridCell> seven_segment_digit(int32_t digit, int32_t columns, int32_t rows,
                                          int32_t thickness) {
    const uint8_t segments = DIGIT_SEGMENTS[static_cast<size_t>(digit)];
    const int32_t middle_top = (rows - thickness) / 2;
    const int32_t middle_bottom = middle_top + thickness;
    std::vector<GridCell> cells;
    for (int32_t row = 0; row < rows; ++row) {
        const bool top_bar = row < thickness;
        const bool middle_bar = row >= middle_top && row < middle_bottom;
        const bool bottom_bar = row >= rows - thickness;
        const bool upper_half = row < middle_bottom;
        const bool lower_half = row >= middle_top;
        for (int32_t column = 0; column < columns; ++column) {
            const bool left = column < thickness;
            const bool right = column >= columns - thickness;
            const bool on =
                (top_bar && lit(segments, 0)) || (right && upper_half && lit(segments, 1)) ||
                (right && lower_half && lit(segments, 2)) || (bottom_bar && lit(segments, 3)) ||
                (left && lower_half && lit(segments, 4)) ||
                (left && upper_half && lit(segments, 5)) || (middle_bar && lit(segments, 6));
            if (on)
                cells.push_back({row, column});
        }
    }
    return cells;
}

} // namespace tools
