// Lines and the current position: end points, pen styles, write modes and clip status.
#include "framework/surface/drawing_attributes.h"
#include "tests/framework/graphics_fixture.h"

#include <algorithm>

namespace {

using raster::Point;
using test_support::BLACK;
using test_support::WHITE;

class LineTest : public test_support::GraphicsWindowTest {};

struct LineCase {
    const char* name;
    Point from;
    Point to;
    std::vector<Point> pixels;
};

class LineEndPointTest : public LineTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineEndPointTest, SetsBothEndPointsAndNothingElse) {
    const LineCase& line = GetParam();
    gw_move_to(line.from.x, line.from.y, nullptr);
    EXPECT_EQ(gw_line_to(line.to.x, line.to.y), 1);
    EXPECT_EQ(pixels_not(BLACK), line.pixels);
    EXPECT_EQ(gw_get_position(), line.to.y << 16 | line.to.x);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineEndPointTest,
    ::testing::Values(
        LineCase{"single_pixel", {10, 10}, {10, 10}, {{10, 10}}},
        LineCase{"right_neighbour", {10, 10}, {11, 10}, {{10, 10}, {11, 10}}},
        LineCase{"leftwards", {13, 10}, {10, 10}, {{10, 10}, {11, 10}, {12, 10}, {13, 10}}},
        LineCase{"downwards", {4, 2}, {4, 4}, {{4, 2}, {4, 3}, {4, 4}}},
        LineCase{"diagonal", {1, 1}, {3, 3}, {{1, 1}, {2, 2}, {3, 3}}}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(LineTest, PenStyleDependsOnlyOnTheNumberOfSetBits) {
    using raster::PenStyle;
    const std::vector<std::pair<uint16_t, PenStyle>> cases = {
        {0xFFFF, PenStyle::solid}, {0x7FFF, PenStyle::dash},     {0xF7FE, PenStyle::dash},
        {0x07FF, PenStyle::dash},  {0x03FF, PenStyle::dash_dot}, {0x01FF, PenStyle::dash_dot_dot},
        {0xFF00, PenStyle::dot},   {0xF0F0, PenStyle::dot},      {0xCCCC, PenStyle::dot},
        {0x0001, PenStyle::dot},   {0x0000, PenStyle::null},
    };
    for (const auto& [mask, style] : cases)
        EXPECT_EQ(framework::pen_style_for_line_style(static_cast<int16_t>(mask)), style)
            << std::hex << mask;
}

TEST_F(LineTest, MasksWithEightBitsDrawTheSameDottedLine) {
    std::vector<std::vector<Point>> drawn;
    for (int32_t mask : {0xFF00, 0xF0F0, 0xCCCC, 0xFFFF}) {
        fill(BLACK);
        gw_set_line_style(mask);
        EXPECT_EQ(gw_get_line_style(), static_cast<int16_t>(mask));
        gw_move_to(0, 5, nullptr);
        gw_line_to(40, 5);
        drawn.push_back(pixels_not(BLACK));
    }
    EXPECT_EQ(drawn[0], drawn[1]);
    EXPECT_EQ(drawn[0], drawn[2]);
    EXPECT_LT(drawn[0].size(), drawn[3].size()); // dotted, not solid
    EXPECT_EQ(drawn[3].size(), 41u);
}

TEST_F(LineTest, EmptyMaskDrawsOnlyTheEndPixel) {
    gw_set_line_style(0);
    gw_move_to(5, 5, nullptr);
    EXPECT_EQ(gw_line_to(20, 5), 1);
    EXPECT_EQ(pixels_not(BLACK), (std::vector<Point>{{20, 5}}));
}

struct WriteModeCase {
    int32_t mode;
    uint32_t expected; // over destination 0x00FF0F with pen 0x0F0FF0
};

class WriteModeTest : public LineTest, public ::testing::WithParamInterface<WriteModeCase> {};

TEST_P(WriteModeTest, CombinesThePenWithTheDestinationButSetsTheEndPixelPlainly) {
    constexpr uint32_t DESTINATION = 0x00FF0F;
    constexpr uint32_t PEN = 0x0F0FF0;
    fill(DESTINATION);
    gw_set_color_rgb(PEN);
    EXPECT_EQ(gw_set_write_mode(GetParam().mode), 3);
    EXPECT_EQ(gw_get_write_mode(), GetParam().mode);
    gw_move_to(2, 2, nullptr);
    gw_line_to(10, 2);
    EXPECT_EQ(pixel(2, 2), GetParam().expected);
    EXPECT_EQ(pixel(9, 2), GetParam().expected);
    EXPECT_EQ(pixel(10, 2), PEN);
    EXPECT_EQ(pixel(11, 2), DESTINATION);
}

INSTANTIATE_TEST_SUITE_P(Modes, WriteModeTest,
                         ::testing::Values(WriteModeCase{0, 0x0FFFFF}, // OR
                                           WriteModeCase{1, 0x000F00}, // AND
                                           WriteModeCase{2, 0xF0F00F}, // NOT pen
                                           WriteModeCase{3, 0x0F0FF0}, // copy
                                           WriteModeCase{4, 0x0FF0FF}  // XOR
                                           ));

TEST_F(LineTest, RefusesAnUnknownWriteMode) {
    for (int32_t mode : {-1, 5, 100}) {
        EXPECT_EQ(gw_set_write_mode(mode), -1);
        EXPECT_EQ(gw_get_status(), GW_STATUS_OUT_OF_RANGE);
        EXPECT_EQ(gw_get_write_mode(), 3);
    }
}

struct ClipStatusCase {
    Point from;
    Point to;
    int16_t status;
};

class LineClipStatusTest : public LineTest, public ::testing::WithParamInterface<ClipStatusCase> {};

TEST_P(LineClipStatusTest, ReportsHowTheLineMeetsTheClipRectangle) {
    ASSERT_EQ(gw_set_clip_rect(10, 10, 30, 30), 1);
    gw_move_to(GetParam().from.x, GetParam().from.y, nullptr);
    EXPECT_EQ(gw_line_to(GetParam().to.x, GetParam().to.y), 1);
    EXPECT_EQ(gw_get_status(), GetParam().status);
    for (const Point& p : pixels_not(BLACK)) {
        EXPECT_GE(p.x, 10);
        EXPECT_LE(p.x, 30);
        EXPECT_GE(p.y, 10);
        EXPECT_LE(p.y, 30);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Clip, LineClipStatusTest,
    ::testing::Values(ClipStatusCase{{12, 12}, {30, 30}, GW_STATUS_OK},
                      ClipStatusCase{{0, 5}, {9, 40}, GW_STATUS_NOTHING_DRAWN},  // both left
                      ClipStatusCase{{40, 5}, {50, 9}, GW_STATUS_NOTHING_DRAWN}, // both above
                      ClipStatusCase{{31, 12}, {40, 40}, GW_STATUS_NOTHING_DRAWN},
                      ClipStatusCase{{0, 20}, {40, 20}, GW_STATUS_PARTLY_CLIPPED},
                      ClipStatusCase{{20, 20}, {20, 31}, GW_STATUS_PARTLY_CLIPPED},
                      // Outside on different sides, missing the rectangle: still only 2.
                      ClipStatusCase{{5, 12}, {12, 5}, GW_STATUS_PARTLY_CLIPPED}));

// Solid rows in copy mode are written straight into the bitmap; they must come to the pixels
// of the raster engine's line with the end pixel added, as every other line does.
TEST_F(LineTest, SolidRowsMatchTheRasterEnginesLineWithItsEndPixel) {
    struct RowCase {
        Point from;
        Point to;
    };
    const framework::ClipRect clip{10, 10, 30, 30};
    const std::vector<RowCase> cases = {
        {{12, 20}, {25, 20}},        {{25, 20}, {12, 20}},    {{0, 20}, {40, 20}},
        {{40, 10}, {0, 10}},         {{5, 30}, {10, 30}},     {{30, 15}, {50, 15}},
        {{0, 9}, {40, 9}},           {{0, 31}, {40, 31}},     {{0, 20}, {9, 20}},
        {{31, 20}, {63, 20}},        {{20, 20}, {20, 20}},    {{5, 20}, {5, 20}},
        {{-30000, 25}, {30000, 25}}, {{30000, 12}, {-5, 12}},
    };
    ASSERT_EQ(gw_set_clip_rect(clip.x1, clip.y1, clip.x2, clip.y2), 1);
    gw_set_color_rgb(static_cast<int32_t>(WHITE));
    for (const RowCase& row : cases) {
        fill(BLACK);
        gw_move_to(row.from.x, row.from.y, nullptr);
        gw_line_to(row.to.x, row.to.y);

        raster::Bitmap expected(64, 48, raster::pixel_from_colorref(BLACK));
        raster::DrawingContext context(expected);
        context.set_clip_rect(clip.as_rect());
        context.state().pen = {raster::PenStyle::solid, WHITE};
        context.state().raster_op = raster::RasterOp::copy_pen;
        context.move_to(row.from);
        context.line_to(row.to);
        if (clip.contains(row.to))
            expected.set_pixel(row.to.x, row.to.y, raster::pixel_from_colorref(WHITE));

        const raster::Bitmap drawn = snapshot();
        EXPECT_TRUE(std::equal(drawn.data(), drawn.data() + 64 * 48, expected.data()))
            << "from (" << row.from.x << ", " << row.from.y << ") to (" << row.to.x << ", "
            << row.to.y << ")";
    }
}

TEST_F(LineTest, MoveToWorksInViewportCoordinatesAndReturnsThePreviousPosition) {
    gw_set_viewport_origin(10, 20);
    gw_point16 previous;
    // The fresh position is the surface centre (32, 24): viewport (22, 4).
    EXPECT_EQ(gw_move_to(-5, 3, &previous), 4 << 16 | 22);
    EXPECT_EQ(previous.x, 22);
    EXPECT_EQ(previous.y, 4);
    EXPECT_EQ(gw_move_to(0, 0, &previous), 3 << 16 | 0xFFFB); // (-5, 3), packed in 16 bits
    EXPECT_EQ(previous.x, -5);
    gw_line_to(1, 0);
    EXPECT_EQ(pixels_not(BLACK), (std::vector<Point>{{10, 20}, {11, 20}}));
}

TEST_F(LineTest, LinesInWindowCoordinatesMeetTheirRoundedPixels) {
    ASSERT_EQ(gw_set_window_coords(0, 0.0, 0.0, 6.3, 4.7), 1); // ten pixels per unit
    gw_point_w previous;
    gw_move_to_w(1.0, 1.0, &previous);
    EXPECT_NEAR(previous.x, 3.2, 1e-9); // the centre (32, 24)
    EXPECT_NEAR(previous.y, 2.4, 1e-9);
    EXPECT_EQ(gw_line_to_w(1.04, 1.26), 1);
    EXPECT_EQ(pixels_not(BLACK), (std::vector<Point>{{10, 10}, {10, 11}, {10, 12}, {10, 13}}));
    gw_point_w position;
    ASSERT_EQ(gw_get_position_w(&position), 1);
    EXPECT_NEAR(position.x, 1.0, 1e-9);
    EXPECT_NEAR(position.y, 1.3, 1e-9);
}

} // namespace
