// Rectangles, ellipses and polygons: corners, clip status, controls, pens and fill masks.
#include "tests/framework/graphics_fixture.h"

namespace {

using raster::Point;
using test_support::BLACK;
using test_support::GREEN;
using test_support::RED;
using test_support::WHITE;

class ShapeTest : public test_support::GraphicsWindowTest {};

using BoxShape = int16_t (*)(int32_t, int32_t, int32_t, int32_t, int32_t);

struct SinglePixelCase {
    const char* name;
    BoxShape shape;
    int32_t control;
};

class SinglePixelTest : public ShapeTest, public ::testing::WithParamInterface<SinglePixelCase> {};

// Even with no visible pen and an XOR write mode, a one-pixel figure is its pixel set plainly.
TEST_P(SinglePixelTest, OnePixelFigureSetsThatPixel) {
    gw_set_line_style(0);
    gw_set_write_mode(4);
    fill(RED);
    EXPECT_NE(GetParam().shape(GetParam().control, 10, 10, 10, 10), 0);
    EXPECT_EQ(pixels_not(RED), (std::vector<Point>{{10, 10}}));
    EXPECT_EQ(pixel(10, 10), WHITE);
}

INSTANTIATE_TEST_SUITE_P(Shapes, SinglePixelTest,
                         ::testing::Values(SinglePixelCase{"rectangle_filled", gw_rectangle, 3},
                                           SinglePixelCase{"rectangle_outline", gw_rectangle, 2},
                                           SinglePixelCase{"ellipse_filled", gw_ellipse, 3},
                                           SinglePixelCase{"ellipse_outline", gw_ellipse, 2}),
                         [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(ShapeTest, SwappedCornersDrawTheSameRectangleAndReportTheAdjustment) {
    ASSERT_NE(gw_rectangle(GW_OUTLINE, 10, 10, 20, 20), 0);
    EXPECT_EQ(gw_get_status(), GW_STATUS_OK);
    const std::vector<Point> ordered = pixels_not(BLACK);
    EXPECT_EQ(ordered.size(), 40u); // an 11 x 11 outline
    fill(BLACK);
    ASSERT_NE(gw_rectangle(GW_OUTLINE, 20, 20, 10, 10), 0);
    EXPECT_EQ(gw_get_status(), GW_STATUS_ADJUSTED);
    EXPECT_EQ(pixels_not(BLACK), ordered);
}

TEST_F(ShapeTest, BothCornersBelongToTheFilledFigure) {
    ASSERT_NE(gw_ellipse(GW_FILLED, 10, 10, 20, 16), 0);
    const std::vector<Point> drawn = pixels_not(BLACK);
    int32_t left = 99, top = 99, right = 0, bottom = 0;
    for (const Point& p : drawn) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_EQ(left, 10);
    EXPECT_EQ(top, 10);
    EXPECT_EQ(right, 20);
    EXPECT_EQ(bottom, 16);
}

struct RectangleClipCase {
    const char* name;
    int32_t x1, y1, x2, y2;
    int16_t status;
};

class RectangleClipTest : public ShapeTest,
                          public ::testing::WithParamInterface<RectangleClipCase> {};

// The clip rectangle is (10, 10) - (30, 30). The status compares the exclusive corner, so a
// rectangle whose right or bottom edge lies on the clip rectangle's reports 2; none of these
// rectangles is cut except where it really reaches outside.
TEST_P(RectangleClipTest, ReportsTheClipStatusAndCutsOnlyWhatLiesOutside) {
    const RectangleClipCase& c = GetParam();
    ASSERT_NE(gw_rectangle(GW_FILLED, c.x1, c.y1, c.x2, c.y2), 0);
    const std::vector<Point> unclipped = pixels_not(BLACK);
    fill(BLACK);
    ASSERT_EQ(gw_set_clip_rect(10, 10, 30, 30), 1);
    ASSERT_NE(gw_rectangle(GW_FILLED, c.x1, c.y1, c.x2, c.y2), 0);
    EXPECT_EQ(gw_get_status(), c.status);
    std::vector<Point> expected;
    for (const Point& p : unclipped)
        if (p.x >= 10 && p.x <= 30 && p.y >= 10 && p.y <= 30)
            expected.push_back(p);
    EXPECT_EQ(pixels_not(BLACK), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Clip, RectangleClipTest,
    ::testing::Values(
        RectangleClipCase{"inside", 12, 12, 28, 28, GW_STATUS_OK},
        RectangleClipCase{"right_edge_on_clip", 12, 12, 30, 20, GW_STATUS_PARTLY_CLIPPED},
        RectangleClipCase{"bottom_edge_on_clip", 12, 12, 20, 30, GW_STATUS_PARTLY_CLIPPED},
        RectangleClipCase{"left_edge_on_clip", 10, 12, 20, 20, GW_STATUS_OK},
        RectangleClipCase{"across_left", 5, 12, 20, 20, GW_STATUS_PARTLY_CLIPPED},
        RectangleClipCase{"wholly_right", 40, 12, 50, 20, GW_STATUS_NOTHING_DRAWN},
        RectangleClipCase{"wholly_below", 12, 35, 20, 40, GW_STATUS_NOTHING_DRAWN},
        RectangleClipCase{"wholly_left", 0, 12, 8, 20, GW_STATUS_NOTHING_DRAWN}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(ShapeTest, UnknownControlDrawsNothingAndFails) {
    const std::array<gw_point16, 3> triangle{{{1, 1}, {20, 1}, {1, 20}}};
    for (int32_t control : {0, 1, 4, -2}) {
        EXPECT_EQ(gw_rectangle(control, 1, 1, 20, 20), 0);
        EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
        EXPECT_EQ(gw_ellipse(control, 1, 1, 20, 20), 0);
        EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
        EXPECT_EQ(gw_polygon(control, triangle.data(), 3), 0);
        EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    }
    EXPECT_TRUE(pixels_not(BLACK).empty());
}

TEST_F(ShapeTest, PolygonVertexCountMustBeThreeTo16381) {
    std::vector<gw_point16> points(16382);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = {static_cast<int16_t>(i % 40), static_cast<int16_t>(i % 7 * 5)};
    for (int32_t count : {2, 16382, 0, -1}) {
        EXPECT_EQ(gw_polygon(GW_FILLED, points.data(), count), 0);
        EXPECT_EQ(gw_get_status(), GW_STATUS_OUT_OF_RANGE);
    }
    EXPECT_TRUE(pixels_not(BLACK).empty());
    EXPECT_NE(gw_polygon(GW_OUTLINE, points.data(), 3), 0);
    EXPECT_NE(gw_polygon(GW_OUTLINE, points.data(), 16381), 0);
    EXPECT_FALSE(pixels_not(BLACK).empty());
}

TEST_F(ShapeTest, PolygonReportsAnyVertexOutsideTheClipRectangle) {
    ASSERT_EQ(gw_set_clip_rect(10, 10, 30, 30), 1);
    const std::array<gw_point16, 3> inside{{{12, 12}, {28, 12}, {12, 28}}};
    EXPECT_NE(gw_polygon(GW_FILLED, inside.data(), 3), 0);
    EXPECT_EQ(gw_get_status(), GW_STATUS_OK);
    const std::array<gw_point16, 3> last_outside{{{12, 12}, {28, 12}, {12, 40}}};
    EXPECT_NE(gw_polygon(GW_FILLED, last_outside.data(), 3), 0);
    EXPECT_EQ(gw_get_status(), GW_STATUS_PARTLY_CLIPPED);
    for (const Point& p : pixels_not(BLACK))
        EXPECT_LE(p.y, 30);
}

TEST_F(ShapeTest, PolygonInWindowCoordinatesMatchesItsViewportForm) {
    ASSERT_EQ(gw_set_window_coords(0, 0.0, 0.0, 6.3, 4.7), 1); // ten pixels per unit
    const std::array<gw_point_w, 4> window{{{0.5, 0.5}, {3.0, 0.8}, {2.2, 3.5}, {0.4, 2.0}}};
    ASSERT_NE(gw_polygon_w(GW_FILLED, window.data(), 4), 0);
    const std::vector<Point> drawn = pixels_not(BLACK);
    fill(BLACK);
    const std::array<gw_point16, 4> viewport{{{5, 5}, {30, 8}, {22, 35}, {4, 20}}};
    ASSERT_NE(gw_polygon(GW_FILLED, viewport.data(), 4), 0);
    EXPECT_EQ(pixels_not(BLACK), drawn);
}

// A styled outline with an XOR write mode still draws the ellipse solid and copied.
TEST_F(ShapeTest, EllipseOutlineIsAlwaysSolidAndCopied) {
    ASSERT_NE(gw_ellipse(GW_OUTLINE, 5, 5, 40, 30), 0);
    const std::vector<Point> plain = pixels_not(BLACK);
    fill(BLACK);
    gw_set_line_style(0xCCCC);
    gw_set_write_mode(4);
    ASSERT_FALSE(plain.empty());
    const Point probe = plain.front(); // on the outline: XOR would not leave it white
    gw_set_pixel_rgb(probe.x, probe.y, static_cast<int32_t>(GREEN));
    ASSERT_NE(gw_ellipse(GW_OUTLINE, 5, 5, 40, 30), 0);
    EXPECT_EQ(pixels_not(BLACK), plain);
    EXPECT_EQ(pixel(probe.x, probe.y), WHITE);
    // A rectangle takes both from the state.
    fill(BLACK);
    ASSERT_NE(gw_rectangle(GW_OUTLINE, 5, 5, 40, 30), 0);
    EXPECT_LT(pixels_not(BLACK).size(), 2u * (36 + 26) - 4);
}

// The mask's set bits take the graphics colour and its clear bits palette entry 0, not the
// background colour; row bytes run from the top, the most significant bit leftmost, anchored at
// the surface's top-left corner.
TEST_F(ShapeTest, FillMaskPaintsClearBitsInPaletteEntryZero) {
    const std::array<uint8_t, 8> mask{0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0xFF};
    gw_set_fill_mask(mask.data());
    gw_set_background_rgb(static_cast<int32_t>(RED));
    gw_set_color_rgb(static_cast<int32_t>(GREEN));
    fill(WHITE);
    ASSERT_NE(gw_rectangle(GW_FILLED, 4, 4, 35, 27), 0);
    for (int32_t y = 5; y < 27; ++y) {
        for (int32_t x = 5; x < 35; ++x) {
            const bool set = (mask[y % 8] & (0x80 >> (x % 8))) != 0;
            ASSERT_EQ(pixel(x, y), set ? GREEN : BLACK) << x << "," << y;
        }
    }
    EXPECT_EQ(pixel(4, 4), GREEN); // the outline
    EXPECT_EQ(pixel(3, 4), WHITE);

    std::array<uint8_t, 8> read{};
    EXPECT_EQ(gw_get_fill_mask(read.data()), 1);
    EXPECT_EQ(read, mask);
    gw_set_fill_mask(nullptr);
    EXPECT_EQ(gw_get_fill_mask(read.data()), 0);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    ASSERT_NE(gw_rectangle(GW_FILLED, 4, 4, 35, 27), 0);
    EXPECT_EQ(pixel(6, 5), GREEN);
}

} // namespace
