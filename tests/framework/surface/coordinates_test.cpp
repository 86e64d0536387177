// Viewport and window coordinates, the clip rectangle and their conversions.
#include "framework/surface/coordinates.h"
#include "tests/framework/graphics_fixture.h"

#include <limits>

namespace {

using raster::Point;
using test_support::BLACK;

Point unpack(int32_t packed) {
    return {static_cast<int16_t>(packed & 0xFFFF), static_cast<int16_t>(packed >> 16)};
}

framework::ClipRect clip_rect_of(gw_child_window& window) {
    framework::SurfaceAccess access(window.surface);
    return access.state().clip_rect;
}

class SquareWindowTest : public test_support::GraphicsWindowTest {
protected:
    SquareWindowTest() : GraphicsWindowTest(101, 101) {}
};

TEST_F(SquareWindowTest, InvertedWindowCoordinatesPutTheOriginAtTheBottom) {
    ASSERT_EQ(gw_set_window_coords(1, 0, 0, 100, 100), 1);
    EXPECT_EQ(unpack(gw_window_to_viewport(0, 0)), (Point{0, 100}));
    EXPECT_EQ(unpack(gw_window_to_viewport(100, 100)), (Point{100, 0}));
    EXPECT_EQ(unpack(gw_window_to_viewport(25, 75)), (Point{25, 25}));
    const gw_point_w back = gw_viewport_to_window(25, 25);
    EXPECT_DOUBLE_EQ(back.x, 25);
    EXPECT_DOUBLE_EQ(back.y, 75);
    gw_set_pixel_rgb_w(0, 0, 0xFFFFFF);
    EXPECT_EQ(pixel(0, 100), 0xFFFFFFu);
    EXPECT_EQ(gw_get_pixel_w(0, 0), 0xFFFFFF);
}

// On 101 pixels a window of 200 units gives half a pixel per unit: the rounding of halves away
// from zero shows on both sides of zero.
TEST_F(SquareWindowTest, WindowToViewportRoundsHalvesAwayFromZero) {
    ASSERT_EQ(gw_set_window_coords(0, 0, 0, 200, 200), 1);
    const std::vector<std::pair<double, int16_t>> cases = {
        {1, 1},    {-1, -1}, {3, 2},     {-3, -2},   {0, 0},      {0.9, 0},
        {-0.9, 0}, {2.9, 1}, {-2.9, -1}, {-1.1, -1}, {-0.999, 0},
    };
    for (const auto& [window, viewport] : cases) {
        EXPECT_EQ(unpack(gw_window_to_viewport(window, window)), (Point{viewport, viewport}))
            << window;
    }
}

TEST_F(SquareWindowTest, WindowCoordinatesFollowTheViewport) {
    ASSERT_EQ(gw_set_viewport(20, 30, 60, 50), 1); // 40 x 20 pixels
    ASSERT_EQ(gw_set_window_coords(0, -1, -1, 1, 1), 1);
    EXPECT_EQ(unpack(gw_window_to_viewport(-1, -1)), (Point{0, 0}));
    EXPECT_EQ(unpack(gw_window_to_viewport(1, 1)), (Point{40, 20}));
    EXPECT_EQ(unpack(gw_window_to_viewport(0, 0)), (Point{20, 10}));
    EXPECT_EQ(unpack(gw_to_physical(20, 10)), (Point{40, 40}));
    EXPECT_EQ(unpack(gw_to_viewport(40, 40)), (Point{20, 10}));
    ASSERT_EQ(gw_rectangle_w(GW_FILLED, -1, -1, 1, 1), 1);
    const std::vector<Point> drawn = pixels_not(BLACK);
    ASSERT_EQ(drawn.size(), 41u * 21u);
    EXPECT_EQ(drawn.front(), (Point{20, 30}));
    EXPECT_EQ(drawn.back(), (Point{60, 50}));
}

TEST_F(SquareWindowTest, RefusesEmptyWindowCoordinatesAndOrdersReversedOnes) {
    ASSERT_EQ(gw_set_window_coords(0, 0, 0, 100, 100), 1);
    EXPECT_EQ(gw_set_window_coords(0, 5, 0, 5, 100), 0);
    EXPECT_EQ(gw_get_status(), GW_STATUS_FAILED);
    EXPECT_EQ(gw_set_window_coords(0, 0, 7, 100, 7), 0);
    EXPECT_EQ(unpack(gw_window_to_viewport(50, 50)), (Point{50, 50})); // unchanged
    EXPECT_EQ(gw_set_window_coords(0, 100, 100, 0, 0), 1);
    EXPECT_EQ(gw_get_status(), GW_STATUS_ADJUSTED);
    EXPECT_EQ(unpack(gw_window_to_viewport(0, 100)), (Point{0, 100}));
}

struct ClipCase {
    const char* name;
    int32_t x1, y1, x2, y2;
    int16_t result;
    int16_t status;
    framework::ClipRect expected;
};

class ClipRectTest : public test_support::GraphicsWindowTest,
                     public ::testing::WithParamInterface<ClipCase> {};

TEST_P(ClipRectTest, OrdersClampsOrRefusesTheCorners) {
    const ClipCase& c = GetParam();
    ASSERT_EQ(gw_set_clip_rect(1, 2, 30, 40), 1);
    EXPECT_EQ(gw_set_clip_rect(c.x1, c.y1, c.x2, c.y2), c.result);
    EXPECT_EQ(gw_get_status(), c.status);
    EXPECT_EQ(clip_rect_of(window()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Corners, ClipRectTest,
    ::testing::Values(
        ClipCase{"plain", 5, 6, 20, 21, 1, GW_STATUS_OK, {5, 6, 20, 21}},
        ClipCase{"swapped", 20, 21, 5, 6, 1, GW_STATUS_ADJUSTED, {5, 6, 20, 21}},
        ClipCase{"clamped", -5, 10, 500, 100, 1, GW_STATUS_ADJUSTED, {0, 10, 63, 47}},
        ClipCase{"one_column", 5, 5, 5, 100, 0, GW_STATUS_FAILED, {1, 2, 30, 40}},
        ClipCase{"one_row", 5, 9, 50, 9, 0, GW_STATUS_FAILED, {1, 2, 30, 40}},
        ClipCase{"clamped_to_one_column", 70, 0, 80, 10, 0, GW_STATUS_FAILED, {1, 2, 30, 40}},
        ClipCase{"two_pixels", 0, 0, 1, 1, 1, GW_STATUS_OK, {0, 0, 1, 1}}),
    [](const auto& case_info) { return std::string(case_info.param.name); });

TEST_F(SquareWindowTest, ViewportOriginShiftsEveryIntegerCoordinate) {
    EXPECT_EQ(gw_set_viewport_origin(-3, 7), 0);
    EXPECT_EQ(unpack(gw_set_viewport_origin(10, 10)), (Point{-3, 7}));
    ASSERT_EQ(gw_rectangle(GW_FILLED, -2, -2, 2, 2), 1);
    const std::vector<Point> drawn = pixels_not(BLACK);
    ASSERT_EQ(drawn.size(), 25u);
    EXPECT_EQ(drawn.front(), (Point{8, 8}));
    EXPECT_EQ(drawn.back(), (Point{12, 12}));
}

TEST(CoordinateRounding, ClampsValuesBeyondSixteenBits) {
    EXPECT_EQ(framework::round_coordinate(1e12), 32767);
    EXPECT_EQ(framework::round_coordinate(-1e12), -32768);
    EXPECT_EQ(framework::round_coordinate(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(framework::round_coordinate(-2.5), -3);
    EXPECT_EQ(framework::round_coordinate(2.5), 3);
}

} // namespace
