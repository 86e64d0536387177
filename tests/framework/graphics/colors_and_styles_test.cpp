// Colours of a fresh window and the colour setters and getters.
#include "tests/framework/graphics_fixture.h"

namespace {

using test_support::BLACK;
using test_support::BLUE;

class ColorTest : public test_support::GraphicsWindowTest {};

TEST_F(ColorTest, FirstColourIsPaletteWhiteAndLinesTakeTheNewRgbColour) {
    EXPECT_EQ(gw_set_color_rgb(0xFF0000), 0xFFFFFF);
    EXPECT_EQ(gw_get_color(), 0xFF0000);
    gw_move_to(2, 2, nullptr);
    gw_line_to(6, 2);
    EXPECT_EQ(pixel(2, 2), BLUE);
    EXPECT_EQ(pixel(4, 2), BLUE);
    EXPECT_EQ(pixel(6, 2), BLUE);
    EXPECT_EQ(gw_set_color_rgb(0x123456), 0xFF0000);
}

TEST_F(ColorTest, TextAndBackgroundStartAtPaletteEntries15And0) {
    EXPECT_EQ(gw_get_text_color(), 0xFFFFFF);
    EXPECT_EQ(gw_get_background_color(), 0x000000);
    EXPECT_EQ(gw_set_text_color_rgb(0x00FF00), 0xFFFFFF);
    EXPECT_EQ(gw_set_background_rgb(0x0000FF), 0x000000);
    EXPECT_EQ(gw_get_text_color(), 0x00FF00);
    EXPECT_EQ(gw_get_background_color(), 0x0000FF);
    // The tag bit of the stored colour never leaks into a result.
    EXPECT_EQ(gw_set_background_rgb(static_cast<int32_t>(0xFF000000u)), 0x0000FF);
    EXPECT_EQ(gw_get_background_color(), 0);
}

struct FewColorsCase {
    int16_t colors;
    int32_t reported; // the first graphics colour, through the default palette
    uint32_t drawn;   // the pixel a line draws in it
};

class FewColorsTest : public ::testing::TestWithParam<FewColorsCase> {};

// With fewer than 16 colours a window draws in its last palette entry.
TEST_P(FewColorsTest, DefaultGraphicsColourIsTheLastPaletteEntry) {
    const int32_t number = gw_open_child_window("few colours");
    ASSERT_GE(number, GW_FIRST_WINDOW_NUMBER);
    gw_window_config config;
    config.surface_width = 20;
    config.surface_height = 20;
    config.colors = GetParam().colors;
    ASSERT_EQ(gw_apply_window_config(config, *gw_find_window(number)), 1);
    rt_connect_unit_to_window(test_support::TEST_UNIT, number);
    ASSERT_EQ(gw_set_active_window(test_support::TEST_UNIT), 1);

    EXPECT_EQ(gw_get_color(), GetParam().reported);
    gw_move_to(1, 1, nullptr);
    gw_line_to(3, 1);
    EXPECT_EQ(gw_get_pixel(2, 1), static_cast<int32_t>(GetParam().drawn));
    EXPECT_EQ(gw_get_pixel(2, 2), static_cast<int32_t>(BLACK));

    rt_disconnect_unit_window(test_support::TEST_UNIT);
    gw_close_child_window(number, 0);
}

INSTANTIATE_TEST_SUITE_P(Colors, FewColorsTest,
                         ::testing::Values(FewColorsCase{256, 0xFFFFFF, 0xFFFFFF},
                                           FewColorsCase{16, 0xFFFFFF, 0xFFFFFF},
                                           FewColorsCase{8, 0xC0C0C0, 0xC0C0C0},
                                           FewColorsCase{4, 0x808000, 0x808000},
                                           // Black and white: index 1 draws white.
                                           FewColorsCase{2, 0x800000, 0xFFFFFF}));

} // namespace
