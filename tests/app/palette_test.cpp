// The application's colours as RGB values.
#include "app/palette.h"

#include <gtest/gtest.h>

namespace {

// Each fraction times 255, truncated, red in the low byte.
TEST(PaletteTest, ColoursTruncateEachFraction) {
    struct Case {
        int32_t n;
        int32_t rgb;
    };
    for (const Case c : {Case{0, 0xFFFFFF}, Case{1, 0x7F00FF}, Case{2, 0x00B2E5}, Case{6, 0xE5CC00},
                         Case{7, 0x000000}, Case{8, 0x595959}, Case{10, 0x007F7F}}) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(app_color_rgb(APP_PALETTE[static_cast<size_t>(c.n)]), c.rgb);
    }
}

} // namespace
