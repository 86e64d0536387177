// The size check's arithmetic: the card's outline at a screen's pitch, and the steps of the
// diagonal with their limits.
#include "app/card_check.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace {

double pitch_mm(double diagonal_in, int32_t nx, int32_t ny) {
    return diagonal_in * 25.4 / std::hypot(nx, ny);
}

TEST(CardCheck, OutlineIsTheCardAtThePitchToHalfAPixel) {
    const struct {
        double diagonal_in;
        int32_t nx, ny;
        int32_t width, height;
    } CASES[] = {
        {17.7, 1024, 768, 244, 154},  // the fixed first values
        {24.0, 1920, 1080, 309, 195}, // an ordinary desk screen
        {15.6, 1366, 768, 339, 213},  // the common laptop
        {27.0, 3840, 2160, 550, 347}, // a 4K screen
        {7.0, 1024, 600, 571, 360},   // a small tablet
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(testing::Message() << c.diagonal_in << " in, " << c.nx << "x" << c.ny);
        const CardOutline card = app_card_outline(c.diagonal_in, c.nx, c.ny);
        EXPECT_EQ(card.width, c.width);
        EXPECT_EQ(card.height, c.height);
        const double pitch = pitch_mm(c.diagonal_in, c.nx, c.ny);
        EXPECT_LE(std::abs(card.width * pitch - APP_CARD_WIDTH_MM), pitch / 2);
        EXPECT_LE(std::abs(card.height * pitch - APP_CARD_HEIGHT_MM), pitch / 2);
    }
}

TEST(CardCheck, StepsMoveTheDiagonalByATenthWithinTheirLimits) {
    constexpr int32_t ROOM_WIDTH = 930;
    constexpr int32_t ROOM_HEIGHT = 490;
    const struct {
        const char* name;
        int32_t hundredths;
        bool larger;
        int32_t nx, ny;
        std::optional<int32_t> next;
    } CASES[] = {
        // A larger outline is a smaller diagonal, and the other way round.
        {"larger", 1770, true, 1024, 768, 1760},
        {"smaller", 1770, false, 1024, 768, 1780},
        {"off the tenths", 1631, true, 1366, 768, 1621},
        // 5.00 in at 1024 x 768 draws the card 863 x 544: taller than the room.
        {"larger than the room", 510, true, 1024, 768, std::nullopt},
        // Too large already (5.20 in draws it 830 x 523): it can still be made smaller.
        {"too large, smaller", 520, false, 1024, 768, 530},
        {"too large, larger", 520, true, 1024, 768, std::nullopt},
        // Past the diagonals the dialog accepts (5.0 to 99.9 in), or an outline under 20 pixels.
        {"smallest diagonal", 500, true, 320, 240, std::nullopt},
        {"largest diagonal", 9990, false, 9999, 9999, std::nullopt},
        {"too small an outline", 7000, false, 320, 240, std::nullopt},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(app_card_step(c.hundredths, c.larger, c.nx, c.ny, ROOM_WIDTH, ROOM_HEIGHT),
                  c.next);
    }
}

} // namespace
