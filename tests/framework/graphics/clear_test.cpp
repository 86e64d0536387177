// gw_clear_screen: the three areas and their colours.
#include "tests/framework/graphics_fixture.h"

namespace {

using raster::Point;
using test_support::BLACK;
using test_support::GREEN;
using test_support::RED;

class ClearTest : public test_support::GraphicsWindowTest {
protected:
    bool dirty() {
        framework::SurfaceAccess access(window().surface);
        return access.state().dirty;
    }
};

TEST_F(ClearTest, WholeWindowTakesTheBackgroundColourAndIsNoLongerDirty) {
    gw_set_background_rgb(static_cast<int32_t>(RED));
    ASSERT_EQ(gw_set_clip_rect(10, 10, 20, 20), 1);
    gw_set_pixel_rgb(15, 15, static_cast<int32_t>(GREEN));
    EXPECT_TRUE(dirty());
    gw_clear_screen(GW_CLEAR_WINDOW);
    EXPECT_EQ(gw_get_status(), GW_STATUS_OK);
    EXPECT_TRUE(pixels_not(RED).empty());
    EXPECT_FALSE(dirty());
}

// The text window is the whole surface.
TEST_F(ClearTest, TextWindowTakesTheBackgroundColour) {
    gw_set_background_rgb(static_cast<int32_t>(GREEN));
    gw_clear_screen(GW_CLEAR_TEXT_WINDOW);
    EXPECT_TRUE(pixels_not(GREEN).empty());
}

TEST_F(ClearTest, ClipRectangleTakesPaletteEntryZeroNotTheBackground) {
    fill(GREEN);
    gw_set_background_rgb(static_cast<int32_t>(RED));
    ASSERT_EQ(gw_set_clip_rect(10, 12, 20, 15), 1);
    gw_clear_screen(GW_CLEAR_CLIP_RECT);
    const std::vector<Point> cleared = pixels_not(GREEN);
    ASSERT_EQ(cleared.size(), 11u * 4u);
    EXPECT_EQ(cleared.front(), (Point{10, 12}));
    EXPECT_EQ(cleared.back(), (Point{20, 15}));
    EXPECT_EQ(pixel(10, 12), BLACK);
}

TEST_F(ClearTest, UnknownAreaChangesNothing) {
    fill(GREEN);
    for (int32_t area : {-1, 3, 7}) {
        gw_clear_screen(area);
        EXPECT_EQ(gw_get_status(), GW_STATUS_OUT_OF_RANGE);
    }
    EXPECT_TRUE(pixels_not(GREEN).empty());
}

// Clearing drops the clip region for its fill; drawing afterwards is clipped again.
TEST_F(ClearTest, DrawingAfterAClearIsClippedAgain) {
    ASSERT_EQ(gw_set_clip_rect(10, 10, 20, 20), 1);
    gw_clear_screen(GW_CLEAR_WINDOW);
    gw_move_to(0, 15, nullptr);
    gw_line_to(40, 15);
    const std::vector<Point> drawn = pixels_not(BLACK);
    ASSERT_EQ(drawn.size(), 11u);
    EXPECT_EQ(drawn.front(), (Point{10, 15}));
}

} // namespace
