// Drawing text into a surface: where the cell lands, continuing lines, turned text, clipping,
// colour, and a snapshot of the program's Russian text.
#include "framework/text/gw_text.h"
#include "platform/raster/png.h"
#include "runtime/cp1251.h"
#include "tests/framework/graphics_fixture.h"
#include "tests/support/fixtures.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using raster::Point;
using test_support::BLACK;

const std::string ACUITY = utf8_to_cp1251("Острота зрения");
const std::string SPEC = "t'Times New Roman Cyr'h38w17ib";

class TextDrawingTest : public test_support::GraphicsWindowTest {
protected:
    TextDrawingTest() : GraphicsWindowTest(320, 240) {}

    void SetUp() override {
        GraphicsWindowTest::SetUp();
        gw_set_text_orientation(0);
        ASSERT_GT(gw_init_fonts(), 0);
        select(SPEC);
        gw_set_color_rgb(0xFFFFFF);
    }
    void TearDown() override {
        gw_set_text_orientation(0);
        GraphicsWindowTest::TearDown();
    }

    void select(const std::string& spec) {
        ASSERT_GT(gw_select_font(spec.data(), static_cast<int32_t>(spec.size())), 0) << spec;
    }
    void draw(const std::string& text) {
        gw_draw_text(text.data(), static_cast<int32_t>(text.size()));
    }
    int16_t extent(const std::string& text) {
        return gw_get_text_extent(text.data(), static_cast<int32_t>(text.size()));
    }
    Point position() {
        const int32_t packed = gw_get_position();
        return {static_cast<int16_t>(packed & 0xFFFF), static_cast<int16_t>(packed >> 16)};
    }

    // The smallest rectangle holding every pixel that is not black.
    raster::Rect ink_box() {
        raster::Rect box;
        for (const Point p : pixels_not(BLACK)) {
            if (box.is_empty())
                box = {p.x, p.y, p.x + 1, p.y + 1};
            box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x + 1),
                   std::max(box.bottom, p.y + 1)};
        }
        return box;
    }
};

TEST_F(TextDrawingTest, FirstCellsTopLeftIsAtThePositionAndThePositionAdvancesByTheWidth) {
    gw_move_to(20, 30, nullptr);
    const int16_t width = extent(ACUITY);
    // The font's average width is 17; this string's own average is smaller.
    EXPECT_GT(width, 14 * 14);
    EXPECT_LT(width, 14 * 17);
    draw(ACUITY);
    EXPECT_EQ(gw_get_status(), GW_STATUS_OK);
    EXPECT_EQ(position(), (Point{20 + width, 30}));
    const raster::Rect box = ink_box();
    ASSERT_FALSE(box.is_empty());
    // Ink stays inside the cells (an italic's last stroke may lean a little past the advance),
    // and the capital's top reaches near the top of the cell.
    EXPECT_GE(box.left, 20);
    EXPECT_LE(box.right, 20 + width + 4);
    EXPECT_GE(box.top, 30);
    EXPECT_LE(box.top, 30 + 10);
    EXPECT_LE(box.bottom, 30 + 38);
    for (const Point p : pixels_not(BLACK))
        ASSERT_EQ(pixel(p.x, p.y), 0xFFFFFFu); // crisp: every pixel in the text colour
}

// The chart's label fonts, from the smallest to the largest: the ink of each stays inside its
// cells, and the width follows the requested average width.
TEST_F(TextDrawingTest, ChartLabelSizesStayInsideTheirCells) {
    const std::vector<std::pair<int32_t, int32_t>> sizes = {{4, 3},   {12, 4},  {16, 5},  {20, 6},
                                                            {24, 7},  {28, 8},  {36, 10}, {52, 18},
                                                            {96, 30}, {120, 40}};
    const std::string label = "12.05.2026";
    for (const auto& [height, width] : sizes) {
        SCOPED_TRACE(height);
        fill(BLACK);
        select("t'Times New Roman Cyr'h" + std::to_string(height) + "w" + std::to_string(width) +
               "b");
        gw_move_to(2, 2, nullptr);
        draw(label);
        const int16_t advance = extent(label);
        EXPECT_EQ(position(), (Point{2 + advance, 2}));
        EXPECT_GE(advance, static_cast<int16_t>(label.size()) * width / 2);
        EXPECT_LE(advance, static_cast<int16_t>(label.size()) * width * 3 / 2);
        const raster::Rect box = ink_box();
        if (box.is_empty())
            continue; // the smallest sizes may leave no pixel at all
        EXPECT_GE(box.left, 2);
        EXPECT_GE(box.top, 2);
        EXPECT_LE(box.bottom, 2 + height);
        EXPECT_LE(box.right, 2 + advance + 2);
    }
}

TEST_F(TextDrawingTest, MatchesTheSnapshot) {
    gw_move_to(10, 10, nullptr);
    draw(ACUITY);
    // TALVENA_WRITE_SNAPSHOTS=1 rewrites the picture after a deliberate change of rendering.
    const auto path = test_support::fixtures_dir() / "fonts" / "acuity_h38w17ib.png";
    if (std::getenv("TALVENA_WRITE_SNAPSHOTS"))
        raster::write_png(snapshot(), path);
    std::string error;
    const std::optional<raster::Bitmap> expected = raster::read_png(path, &error);
    ASSERT_TRUE(expected) << error;
    EXPECT_TRUE(*expected == snapshot());
}

TEST_F(TextDrawingTest, ConsecutiveDrawsContinueOnTheSameLine) {
    const std::string first = utf8_to_cp1251("Острота ");
    const std::string second = utf8_to_cp1251("зрения");
    gw_move_to(5, 40, nullptr);
    draw(first);
    draw(second);
    const raster::Bitmap in_two = snapshot();
    const Point after_two = position();

    fill(BLACK);
    gw_move_to(5, 40, nullptr);
    draw(first + second);
    EXPECT_EQ(position(), after_two);
    EXPECT_TRUE(in_two == snapshot());
    // The trailing blank of the first text counted.
    EXPECT_GT(extent(first), extent(utf8_to_cp1251("Острота")));
}

TEST_F(TextDrawingTest, TurnedTextRunsUpwardsWhileThePositionAdvancesAlongX) {
    const int16_t width = extent(ACUITY);
    gw_set_text_orientation(900);
    EXPECT_EQ(extent(ACUITY), width);
    gw_move_to(100, 230, nullptr);
    draw(ACUITY);
    EXPECT_EQ(position(), (Point{100 + width, 230}));
    const raster::Rect box = ink_box();
    ASSERT_FALSE(box.is_empty());
    // The cell's top now faces left: the text occupies a column 38 wide right of x = 100 and
    // runs from y = 230 upwards by about its width.
    EXPECT_GE(box.left, 100);
    EXPECT_LE(box.right, 100 + 38);
    EXPECT_LE(box.bottom, 231);
    EXPECT_GE(box.top, 230 - width - 4);
    EXPECT_LT(box.top, 230 - width + 20);
    EXPECT_GT(box.height(), 4 * box.width());
}

TEST_F(TextDrawingTest, ClipRectangleCutsTheText) {
    gw_move_to(10, 10, nullptr);
    draw(ACUITY);
    const raster::Bitmap whole = snapshot();
    const int16_t width = extent(ACUITY);

    fill(BLACK);
    ASSERT_NE(gw_set_clip_rect(40, 20, 120, 35), 0);
    gw_move_to(10, 10, nullptr);
    draw(ACUITY);
    EXPECT_EQ(gw_get_status(), GW_STATUS_PARTLY_CLIPPED);
    EXPECT_EQ(position(), (Point{10 + width, 10}));
    const raster::Bitmap cut = snapshot();
    int32_t inside = 0;
    for (int32_t y = 0; y < cut.height(); ++y) {
        for (int32_t x = 0; x < cut.width(); ++x) {
            const bool in_clip = x >= 40 && x <= 120 && y >= 20 && y <= 35;
            const raster::Pixel expected =
                in_clip ? whole.pixel(x, y) : raster::pixel_from_colorref(BLACK);
            ASSERT_EQ(cut.pixel(x, y), expected) << x << "," << y;
            inside += in_clip && cut.pixel(x, y) != raster::pixel_from_colorref(BLACK);
        }
    }
    EXPECT_GT(inside, 50);
}

TEST_F(TextDrawingTest, TextIsDrawnInTheGraphicsColourOnly) {
    gw_set_color_rgb(test_support::RED);
    gw_set_text_color_rgb(test_support::GREEN);
    gw_set_background_rgb(test_support::BLUE);
    fill(0x808080);
    gw_move_to(10, 10, nullptr);
    draw("Ag");
    int32_t red = 0;
    for (const Point p : pixels_not(0x808080)) {
        ASSERT_EQ(pixel(p.x, p.y), test_support::RED);
        ++red;
    }
    EXPECT_GT(red, 30);
}

TEST_F(TextDrawingTest, UnderlineRunsUnderTheWholeAdvance) {
    select("t'Arial'h20u");
    gw_move_to(10, 10, nullptr);
    draw("  ");
    const raster::Rect box = ink_box();
    ASSERT_FALSE(box.is_empty());
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.right, 10 + extent("  "));
    EXPECT_GT(box.top, 10 + 10);
    EXPECT_LT(box.bottom, 10 + 20);
}

} // namespace
