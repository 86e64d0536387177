// Plot frames: pixel boxes, world points held to the frame, font steps, and the grid as drawn.
#include "app/palette.h"
#include "app/plotting.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/text/gw_text.h"
#include "tests/app/drawing_window_fixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <vector>

namespace {

using test_support::BLACK;
using test_support::DrawingWindowTest;

constexpr float DAY = 86400.0f;

TEST(PlotFrameBox, TruncatesEachCornerOfTheChartsFrames) {
    struct Case {
        float x0, y0, w, h;
        float left, right, bottom, top;
    };
    // The results chart's two frames on its 980 x 650 window.
    const Case cases[] = {
        {10, 110, 220, 60, 40, 937, 252, 35},
        {10, 10, 220, 90, 40, 937, 612, 287},
    };
    for (const Case& c : cases) {
        const PlotFrame frame = plot_frame_box(980, 650, c.x0, c.y0, c.w, c.h);
        EXPECT_EQ(frame.left, c.left);
        EXPECT_EQ(frame.left + frame.width, c.right);
        EXPECT_EQ(frame.bottom, c.bottom);
        EXPECT_EQ(frame.bottom - frame.height, c.top);
        EXPECT_EQ(frame.x1, c.x0 + c.w);
        EXPECT_EQ(frame.y1, c.y0 + c.h);
    }
}

TEST(PlotWorldToPixel, RoundsInsideAndHoldsEverythingElseToTheEdges) {
    PlotFrame frame = plot_frame_box(980, 650, 10, 110, 220, 60); // 40..937 x 35..252
    frame.xmax = 3 * DAY;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        float x, y;
        PlotPixel pixel;
    };
    const Case cases[] = {
        {"the low corner", 0, 0, {40, 252}},
        {"the high corner", 3 * DAY, 1, {937, 35}},
        {"a day in, half way up", DAY, 0.5f, {339, 144}}, // 40 + 299 + 0.5; 252 - 108.5 + 0.5
        {"above the range", DAY, 2.0f, {339, 35}},
        {"below the range", DAY, -0.5f, {339, 252}},
        {"before and after the span", -DAY, 0.5f, {40, 144}},
        {"after the span", 10 * DAY, 0.5f, {937, 144}},
        {"infinite values", inf, -inf, {937, 252}},
        {"not a number", nan, nan, {40, 252}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(plot_world_to_pixel(frame, c.x, c.y), c.pixel);
    }
    // A span of no length puts everything on its low edge.
    frame.xmax = frame.xmin;
    EXPECT_EQ(plot_world_to_pixel(frame, 0, 0.5f).x, 40);
}

TEST(PlotFonts, EachStepHoldsTheSizesUpToItsBound) {
    struct Case {
        float size;
        std::string_view spec;
    };
    const Case cases[] = {
        {1, "t'Times New Roman Cyr'h4w3b"},
        {4.0f / 1.5f, "t'Times New Roman Cyr'h4w3b"}, // v = 4 exactly
        {3, "t'Times New Roman Cyr'h12w4b"},
        {8, "t'Times New Roman Cyr'h24w7b"}, // v = 12 takes the lower step
        {8.01f, "t'Times New Roman Cyr'h28w8b"},
        {10, "t'Times New Roman Cyr'h28w8b"},
        {20, "t'Times New Roman Cyr'h52w18b"},
        {100.0f / 3.0f, "t'Times New Roman Cyr'h96w30b"},
        {34, "t'Times New Roman Cyr'h120w40b"},
        {-5, "t'Times New Roman Cyr'h4w3b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plot_font_for_size(c.size), c.spec) << "size " << c.size;
}

TEST(PlotLineStyles, AreTheFourPenMasks) {
    EXPECT_EQ(plot_line_style_mask(1), 0xFFFF);
    EXPECT_EQ(plot_line_style_mask(2), 0xFF00);
    EXPECT_EQ(plot_line_style_mask(3), 0xF0F0);
    EXPECT_EQ(plot_line_style_mask(4), 0xCCCC);
    EXPECT_FALSE(plot_line_style_mask(0));
    EXPECT_FALSE(plot_line_style_mask(5));
}

class PlotDrawingTest : public DrawingWindowTest {
protected:
    // The columns inside the frame (its edges left out) with at least `least` black pixels
    // between its top and bottom edges.
    std::set<int32_t> black_columns(const PlotFrame& frame, int32_t least) {
        const raster::Bitmap bitmap = snapshot();
        std::set<int32_t> columns;
        const auto left = static_cast<int32_t>(frame.left);
        const auto bottom = static_cast<int32_t>(frame.bottom);
        const auto top = static_cast<int32_t>(frame.bottom - frame.height);
        for (int32_t x = left + 1; x < left + static_cast<int32_t>(frame.width); ++x) {
            int32_t black = 0;
            for (int32_t y = top + 1; y < bottom; ++y)
                black += color_at(bitmap, x, y) == BLACK ? 1 : 0;
            if (black >= least)
                columns.insert(x);
        }
        return columns;
    }
};

TEST_F(PlotDrawingTest, GridOfThreeDaysHasFourDottedLinesTheLastOnTheRightEdge) {
    app_select_color(APP_COLOR_BLACK);
    app_plot_define_frame(APP_DRAWING_UNIT, 1, 10, 110, 220, 60);
    app_plot_set_world(APP_DRAWING_UNIT, 1, 0, 3 * DAY, 0, 1);
    app_plot_draw_grid(APP_DRAWING_UNIT, 1, 0, DAY, 0, 0, 0.2f, 0);
    const PlotFrame frame = *app_plot_frame(APP_DRAWING_UNIT, 1);

    // Inside: the lines of day 1 and day 2, dotted (about half their pixels). The lines of day
    // 0 and day 3 lie on the box's left and right edges, which are solid.
    EXPECT_EQ(black_columns(frame, 50), (std::set<int32_t>{339, 638}));
    const raster::Bitmap bitmap = snapshot();
    int32_t dotted = 0;
    for (int32_t y = 36; y < 252; ++y)
        dotted += color_at(bitmap, 339, y) == BLACK ? 1 : 0;
    EXPECT_NEAR(dotted, 108, 12);
    for (int32_t y = 35; y <= 252; ++y) {
        EXPECT_EQ(color_at(bitmap, 40, y), BLACK) << "left edge, row " << y;
        EXPECT_EQ(color_at(bitmap, 937, y), BLACK) << "right edge, row " << y;
    }
    // Six horizontal lines at 0, 0.2, ... 1: rows 252, 209, 165, 122, 78, 35 (the top and bottom
    // ones under the box).
    for (const int32_t row : {209, 165, 122, 78}) {
        int32_t black = 0;
        for (int32_t x = 41; x < 937; ++x)
            black += color_at(bitmap, x, row) == BLACK ? 1 : 0;
        EXPECT_GT(black, 300) << "row " << row;
    }
}

TEST_F(PlotDrawingTest, AStepOfZeroDrawsOnlyTheBox) {
    app_select_color(APP_COLOR_BLACK);
    app_plot_define_frame(APP_DRAWING_UNIT, 2, 10, 10, 220, 90);
    app_plot_set_world(APP_DRAWING_UNIT, 2, 0, 3 * DAY, 0, 1);
    app_plot_draw_grid(APP_DRAWING_UNIT, 2, 0, 0, 0, 0, 0, 0);
    const PlotFrame frame = *app_plot_frame(APP_DRAWING_UNIT, 2);
    EXPECT_TRUE(black_columns(frame, 1).empty());
}

TEST_F(PlotDrawingTest, PenLinesAreHeldToTheFrame) {
    app_select_color(4);
    app_plot_define_frame(APP_DRAWING_UNIT, 1, 10, 110, 220, 60);
    app_plot_set_world(APP_DRAWING_UNIT, 1, 0, DAY, 0, 1);
    // A stick from 0 to 2: it ends on the top edge instead of leaving the frame.
    app_plot_pen(APP_DRAWING_UNIT, 1, DAY / 2, 0, 0);
    app_plot_pen(APP_DRAWING_UNIT, 1, DAY / 2, 2, 1);
    const raster::Bitmap bitmap = snapshot();
    const uint32_t blue = 0xFF0000; // 0x00BBGGRR
    const int32_t x = plot_world_to_pixel(*app_plot_frame(APP_DRAWING_UNIT, 1), DAY / 2, 0).x;
    for (int32_t y = 35; y <= 252; ++y)
        EXPECT_EQ(color_at(bitmap, x, y), blue) << "row " << y;
    EXPECT_NE(color_at(bitmap, x, 34), blue);
}

// Every font of the table can be had once the fonts are set up; when none can all the same, the
// label is left out after a few attempts instead of the program hanging on it.
TEST_F(PlotDrawingTest, ALabelWithoutAFontIsLeftOut) {
    gw_init_fonts();
    app_select_color(APP_COLOR_BLACK);
    app_plot_text(APP_DRAWING_UNIT, 70, 178, 8, 0, "label");
    const raster::Bitmap drawn = snapshot();
    int32_t black = 0;
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 280; x < 400; ++x)
            black += color_at(drawn, x, y) == BLACK ? 1 : 0;
    EXPECT_GT(black, 20) << "the label is drawn while there is a font";

    gw_clear_screen(GW_CLEAR_WINDOW);
    gw_release_font();
    app_plot_text(APP_DRAWING_UNIT, 70, 178, 8, 0, "label");
    EXPECT_EQ(gw_get_text_orientation(), 0);
    const raster::Bitmap left_out = snapshot();
    for (int32_t y = 0; y < 40; ++y)
        for (int32_t x = 280; x < 400; ++x)
            ASSERT_EQ(color_at(left_out, x, y), test_support::WHITE) << x << "," << y;
}

TEST_F(PlotDrawingTest, OperationsOnAWindowOrFrameNotThereDrawNothing) {
    app_select_color(APP_COLOR_BLACK);
    app_plot_define_frame(7, 1, 10, 110, 220, 60); // unit 7 has no window
    app_plot_pen(APP_DRAWING_UNIT, 9, 0, 0, 0);
    app_plot_pen(APP_DRAWING_UNIT, 9, 1, 1, 1);
    app_plot_text(7, 10, 100, 8, 0, "text");
    EXPECT_FALSE(app_plot_frame(7, 1));
    const raster::Bitmap bitmap = snapshot();
    for (int32_t y = 0; y < bitmap.height(); y += 7)
        for (int32_t x = 0; x < bitmap.width(); x += 7)
            ASSERT_EQ(color_at(bitmap, x, y), test_support::WHITE) << x << "," << y;
}

} // namespace
