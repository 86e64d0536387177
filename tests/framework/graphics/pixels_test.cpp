// Single pixels: setting, reading, clipping and the pixel arrays.
#include "tests/framework/graphics_fixture.h"

namespace {

using raster::Point;
using test_support::BLACK;
using test_support::BLUE;
using test_support::RED;

class PixelTest : public test_support::GraphicsWindowTest {};

TEST_F(PixelTest, SetPixelReturnsThePreviousColourAndSetsTheExactOne) {
    fill(RED);
    gw_set_write_mode(4); // pixels ignore the write mode
    EXPECT_EQ(gw_set_pixel_rgb(3, 4, 0x123456), static_cast<int32_t>(RED));
    EXPECT_EQ(pixel(3, 4), 0x123456u);
    // The high byte of the argument is not part of the colour.
    EXPECT_EQ(gw_set_pixel_rgb(3, 4, static_cast<int32_t>(0xFF00FF00u)), 0x123456);
    EXPECT_EQ(gw_get_pixel(3, 4), 0x00FF00);
    EXPECT_EQ(gw_get_status(), GW_STATUS_OK);
}

TEST_F(PixelTest, PixelOutsideTheClipRectangleIsNeitherSetNorRead) {
    ASSERT_EQ(gw_set_clip_rect(10, 10, 20, 20), 1);
    for (const Point& p :
         std::vector<Point>{{9, 15}, {21, 15}, {15, 9}, {15, 21}, {-1, -1}, {100, 5}}) {
        EXPECT_EQ(gw_set_pixel_rgb(p.x, p.y, static_cast<int32_t>(BLUE)), -1);
        EXPECT_EQ(gw_get_pixel(p.x, p.y), -1);
        EXPECT_EQ(gw_get_status(), GW_STATUS_NOTHING_DRAWN);
    }
    EXPECT_TRUE(pixels_not(BLACK).empty());
    EXPECT_EQ(gw_set_pixel_rgb(10, 20, static_cast<int32_t>(BLUE)), 0);
    EXPECT_EQ(pixels_not(BLACK), (std::vector<Point>{{10, 20}}));
}

TEST_F(PixelTest, PixelArraysSetAndReadEachPoint) {
    ASSERT_EQ(gw_set_clip_rect(0, 0, 30, 30), 1);
    const std::vector<int16_t> xs{1, 2, 40, 3};
    const std::vector<int16_t> ys{1, 5, 1, 30};
    const std::vector<int32_t> colors{0x010203, 0x040506, 0x070809, 0x0A0B0C};
    gw_set_pixels_rgb(4, xs.data(), ys.data(), colors.data());
    EXPECT_EQ(pixel(40, 1), BLACK); // outside the clip rectangle
    std::vector<int32_t> read(4, 0);
    gw_get_pixels_rgb(4, xs.data(), ys.data(), read.data());
    EXPECT_EQ(read, (std::vector<int32_t>{0x010203, 0x040506, -1, 0x0A0B0C}));
    gw_set_pixels_rgb(0, nullptr, nullptr, nullptr);
    gw_set_pixels_rgb(-3, xs.data(), ys.data(), colors.data());
    EXPECT_EQ(pixels_not(BLACK).size(), 3u);
}

TEST(RgbPacking, PacksAndUnpacksTheLowBytes) {
    EXPECT_EQ(gw_rgb_pack(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(gw_rgb_pack(0x1FF, -1, 0x100), 0x00FFFF);
    int32_t red = 0, green = 0, blue = 0;
    gw_rgb_unpack(0x563412, &red, &green, &blue);
    EXPECT_EQ(red, 0x12);
    EXPECT_EQ(green, 0x34);
    EXPECT_EQ(blue, 0x56);
}

} // namespace
