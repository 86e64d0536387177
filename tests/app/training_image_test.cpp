// The training image on the 980 x 650 drawing window: the grating rule over every row, the
// figure's tiles, its offsets and the stop tests.
#include "app/random.h"
#include "app/training_image.h"
#include "drawing_window_fixture.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"

#include <gtest/gtest.h>

namespace {

using test_support::BLACK;
using test_support::WHITE;

class TrainingImageTest : public test_support::DrawingWindowTest {};

TEST_F(TrainingImageTest, DrawingWindowOpensWhiteAtItsSize) {
    gw_window_config size;
    ASSERT_EQ(gw_get_window_config(size), 1);
    EXPECT_EQ(size.surface_width, 980);
    EXPECT_EQ(size.surface_height, 650);
    const raster::Bitmap bitmap = snapshot();
    EXPECT_EQ(color_at(bitmap, 0, 0), WHITE);
    EXPECT_EQ(color_at(bitmap, 979, 649), WHITE);
    const auto frame = app_plotting_frame(APP_DRAWING_UNIT);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->world_width, 240.0f);
    EXPECT_EQ(frame->pixels_across, 980.0f);
    EXPECT_EQ(frame->pixels_down, 650.0f);
}

// Column i (1..W div K) covers x = (i - 1)K + 1 .. iK and is white in row y when i + y is odd.
// Pixel column 0 and the columns right of the last whole column keep what they had.
TEST_F(TrainingImageTest, GratingFollowsItsRuleOnEveryRow) {
    constexpr uint32_t UNTOUCHED = 0x123456;
    for (const int32_t k : {2, 9}) {
        SCOPED_TRACE(k);
        {
            framework::SurfaceAccess access(gw_find_window(m_number)->surface);
            access.bitmap().fill(raster::pixel_from_colorref(UNTOUCHED));
        }
        EXPECT_TRUE(app_draw_grating(k, 980, 650, 0, {}));
        const raster::Bitmap bitmap = snapshot();
        const int32_t last_drawn = (980 / k) * k;
        for (int32_t y = 0; y < 650; ++y)
            for (int32_t x = 0; x < 980; ++x) {
                uint32_t expected = UNTOUCHED;
                if (x >= 1 && x <= last_drawn) {
                    const int32_t i = (x - 1) / k + 1;
                    expected = (i + y) % 2 != 0 ? WHITE : BLACK;
                }
                ASSERT_EQ(color_at(bitmap, x, y), expected) << "x=" << x << " y=" << y;
            }
        if (k == 9) {
            EXPECT_EQ(last_drawn, 972);
            EXPECT_EQ(color_at(bitmap, 973, 0), UNTOUCHED);
        }
    }
}

TEST_F(TrainingImageTest, GratingStopsAfterTheRowItsTestHolds) {
    constexpr uint32_t UNTOUCHED = 0x123456;
    {
        framework::SurfaceAccess access(gw_find_window(m_number)->surface);
        access.bitmap().fill(raster::pixel_from_colorref(UNTOUCHED));
    }
    int32_t rows = 0;
    EXPECT_FALSE(app_draw_grating(2, 980, 650, 20, [&rows] { return ++rows == 3; }));
    const raster::Bitmap bitmap = snapshot();
    EXPECT_EQ(color_at(bitmap, 3, 19), UNTOUCHED); // above the first row
    EXPECT_EQ(color_at(bitmap, 3, 20), BLACK);     // i = 2, y = 20: even
    EXPECT_EQ(color_at(bitmap, 3, 21), WHITE);
    EXPECT_EQ(color_at(bitmap, 3, 22), BLACK);
    EXPECT_EQ(color_at(bitmap, 3, 23), UNTOUCHED); // the test held after row 22
}

TEST(FigureOffsetTest, SnapsTheBaseDownToTheCellSize) {
    struct Case {
        int32_t k;
        int32_t left;
        int32_t right;
    };
    for (const Case c : {Case{1, 20, 450}, Case{2, 20, 450}, Case{3, 18, 450}, Case{4, 20, 448},
                         Case{7, 14, 448}, Case{8, 16, 448}, Case{9, 18, 450}}) {
        SCOPED_TRACE(c.k);
        EXPECT_EQ(app_figure_offset(c.k, FIGURE_LEFT_BASE), c.left);
        EXPECT_EQ(app_figure_offset(c.k, FIGURE_RIGHT_BASE), c.right);
    }
}

// The seed-advance count whose first value puts the figure on that side.
int32_t advances_for_side(int32_t side) {
    for (int32_t advances = 0;; ++advances) {
        app_set_random_seed_advances(advances);
        if ((app_random_uniform() > 0.5f) == (side == FIGURE_RIGHT))
            return advances;
    }
}

// Each point becomes a 2K x 2K tile at X0 + x + 1, y + 1: white top-left and bottom-right
// squares, black top-right and bottom-left ones. Nothing else is touched.
TEST_F(TrainingImageTest, FigureTilesHaveFourSquaresAtTheOffset) {
    FigurePointTable figures;
    figures.set_points(7, {{100, 0}, {100, 28}, {300, 14}});
    for (const int32_t side : {FIGURE_LEFT, FIGURE_RIGHT}) {
        SCOPED_TRACE(side);
        gw_clear_screen(GW_CLEAR_WINDOW);
        app_set_random_seed_advances(advances_for_side(side));
        EXPECT_EQ(app_draw_hidden_figure(7, figures, 980, 650, {}), side);
        const int32_t x0 = side == FIGURE_RIGHT ? 448 : 14;
        const raster::Bitmap bitmap = snapshot();
        int32_t black = 0;
        for (int32_t y = 0; y < 650; ++y)
            for (int32_t x = 0; x < 980; ++x)
                black += color_at(bitmap, x, y) == BLACK;
        EXPECT_EQ(black, 3 * 2 * 7 * 7);
        for (const FigurePoint& point : figures.points(7))
            for (int32_t a = 1; a <= 14; ++a)
                for (int32_t b = 1; b <= 14; ++b) {
                    const bool white = (a <= 7) == (b <= 7);
                    ASSERT_EQ(color_at(bitmap, point.x + x0 + a, point.y + b),
                              white ? WHITE : BLACK)
                        << "point (" << point.y << ", " << point.x << ") a=" << a << " b=" << b;
                }
    }
}

TEST_F(TrainingImageTest, FigureStopsAfterTheTileItsTestHolds) {
    FigurePointTable figures;
    figures.set_points(2, {{50, 0}, {50, 8}, {50, 16}});
    app_set_random_seed_advances(advances_for_side(FIGURE_LEFT));
    int32_t tiles = 0;
    app_draw_hidden_figure(2, figures, 980, 650, [&tiles] { return ++tiles == 2; });
    const raster::Bitmap bitmap = snapshot();
    EXPECT_EQ(color_at(bitmap, 20 + 8 + 3, 51), BLACK);  // second tile, top-right square
    EXPECT_EQ(color_at(bitmap, 20 + 16 + 3, 51), WHITE); // third tile: not drawn
}

} // namespace
