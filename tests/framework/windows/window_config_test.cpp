// Applying window configurations: sizes, colours, adjustments and the reset of the surface.
#include "framework/surface/window_palette.h"
#include "tests/framework/graphics_fixture.h"

#include <cstring>

namespace {

using test_support::BLACK;
using test_support::GREEN;

class WindowConfigTest : public test_support::GraphicsWindowTest {
protected:
    framework::GraphicsState state() {
        framework::SurfaceAccess access(window().surface);
        return access.state();
    }
};

TEST_F(WindowConfigTest, TooManyColoursAreAdjustedFirstAndAppliedOnTheSecondCall) {
    gw_window_config config;
    config.surface_width = 30;
    config.colors = 300;
    EXPECT_EQ(gw_apply_window_config(config, window()), 0);
    EXPECT_EQ(config.colors, 256);
    EXPECT_EQ(config.surface_width, 30);
    EXPECT_EQ(config.surface_height, 768); // the screen's height
    EXPECT_EQ(snapshot().width(), 64);     // nothing applied
    EXPECT_EQ(gw_apply_window_config(config, window()), 1);
    EXPECT_EQ(snapshot().width(), 30);
    EXPECT_EQ(snapshot().height(), 768);
    EXPECT_EQ(config.bits_per_pixel, 32);
}

TEST_F(WindowConfigTest, ReconfiguringClearsThePictureAndResetsTheGraphicsState) {
    gw_set_color_rgb(static_cast<int32_t>(GREEN));
    gw_set_line_style(0xF0F0);
    gw_set_write_mode(4);
    const std::array<uint8_t, 8> mask{1, 2, 3, 4, 5, 6, 7, 8};
    gw_set_fill_mask(mask.data());
    gw_set_viewport(5, 5, 30, 30);
    gw_set_window_coords(1, 0, 0, 1, 1);
    gw_rectangle(GW_FILLED, 0, 0, 10, 10);

    gw_window_config config;
    config.surface_width = 41;
    config.surface_height = 31;
    config.colors = 16;
    std::strcpy(config.title, "renamed");
    ASSERT_EQ(gw_apply_window_config(config, window()), 1);

    EXPECT_TRUE(pixels_not(BLACK).empty());
    EXPECT_EQ(gw_window_title(number()), "renamed");
    const framework::GraphicsState fresh = state();
    EXPECT_EQ(fresh.position, (raster::Point{20, 15}));
    EXPECT_EQ(fresh.viewport_origin, (raster::Point{0, 0}));
    EXPECT_EQ(fresh.clip_rect, (framework::ClipRect{0, 0, 40, 30}));
    EXPECT_EQ(fresh.window_rect.wx2, 40);
    EXPECT_EQ(fresh.window_rect.wy2, 30);
    EXPECT_FALSE(fresh.window_invert_y);
    EXPECT_EQ(fresh.scale_x, 1);
    EXPECT_EQ(fresh.graphics_color, framework::tagged_index(15));
    EXPECT_EQ(fresh.write_mode, framework::WriteMode::copy);
    EXPECT_EQ(fresh.line_style, -1);
    EXPECT_EQ(fresh.pen_style, raster::PenStyle::solid);
    EXPECT_FALSE(fresh.fill_mask.has_value());
    EXPECT_FALSE(fresh.dirty);
}

TEST_F(WindowConfigTest, EmptyTitleKeepsTheTitle) {
    gw_window_config config;
    config.surface_width = 20;
    config.surface_height = 20;
    ASSERT_EQ(gw_apply_window_config(config, window()), 1);
    EXPECT_EQ(gw_window_title(number()), "test window");
}

TEST(Palette, DefaultPaletteHasTheClassicColoursThenDarkGrey) {
    const auto& palette = framework::default_palette();
    EXPECT_EQ(palette[0].color(), 0x000000u);
    EXPECT_EQ(palette[1].color(), 0x800000u); // (0, 0, 0x80): blue in the high byte
    EXPECT_EQ(palette[4].color(), 0x000080u);
    EXPECT_EQ(palette[7].color(), 0xC0C0C0u);
    EXPECT_EQ(palette[9].color(), 0xFF0000u);
    EXPECT_EQ(palette[12].color(), 0x0000FFu);
    EXPECT_EQ(palette[14].color(), 0x00FFFFu);
    EXPECT_EQ(palette[15].color(), 0xFFFFFFu);
    for (size_t i = 16; i < palette.size(); ++i)
        EXPECT_EQ(palette[i].color(), 0x404040u) << i;
    for (size_t i = 0; i < palette.size(); ++i)
        EXPECT_EQ(palette[i].flags, i <= 16 ? framework::PALETTE_NO_COLLAPSE : 0) << i;
}

TEST(Palette, WindowPaletteTakesTheFirstEntriesOrBlackAndWhite) {
    const framework::Palette two = framework::Palette::for_window(2);
    EXPECT_EQ(two.size, 2);
    EXPECT_EQ(two.entry_color(0), 0x000000u);
    EXPECT_EQ(two.entry_color(1), 0xFFFFFFu);
    // An index past the palette resolves to entry 0.
    EXPECT_EQ(two.resolve(framework::tagged_index(15)), 0x000000u);
    const framework::Palette sixteen = framework::Palette::for_window(16);
    EXPECT_EQ(sixteen.resolve(framework::tagged_index(9)), 0xFF0000u);
    EXPECT_EQ(sixteen.resolve(framework::tagged_rgb(0x123456)), 0x123456u);
}

} // namespace
