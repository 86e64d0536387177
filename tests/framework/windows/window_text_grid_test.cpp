// The text grid and text font of window configurations: how cells, counts and surface sizes
// settle, and the adjust-and-retry contract when the font's own size becomes the cell.
#include "framework/text/gw_text.h"
#include "framework/windows/child_window.h"
#include "framework/windows/text_grid.h"
#include "framework/windows/thread_record.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(TextGridTest, EachDirectionSettlesFromWhatWasGiven) {
    constexpr int32_t SCREEN = 1024;
    constexpr int32_t CELL = 8;
    const struct {
        framework::GridAxis asked;
        framework::GridAxis settled;
        bool adjusted;
    } CASES[] = {
        // No cell: the default cell over the pixels, or the pixels shared among the count.
        {{-1, -1, -1}, {1024, 128, 8}, false},
        {{980, -1, -1}, {980, 122, 8}, false},
        {{1000, 100, -1}, {1000, 100, 10}, false},
        {{-1, 50, -1}, {400, 50, 8}, false},
        // A cell: the screen's worth of cells, the count given, or as many as fit.
        {{-1, -1, 10}, {1020, 102, 10}, false},
        {{-1, 30, 12}, {360, 30, 12}, false},
        {{1024, 100, 8}, {1024, 128, 8}, true},
        {{1024, 128, 8}, {1024, 128, 8}, false},
        {{1024, -1, 9}, {1024, 113, 9}, false},
        // Limits: a count of large cells past the 16-bit surface, a cell larger than the screen,
        // more cells than pixels, and a cell of 0, which would divide by zero.
        {{-1, 2000, 100}, {32700, 327, 100}, true},
        {{-1, -1, 2000}, {2000, 1, 2000}, false},
        {{10, 20, -1}, {10, 20, 1}, false},
        {{64, -1, 0}, {64, 8, 8}, false},
    };
    for (const auto& c : CASES) {
        framework::GridAxis axis = c.asked;
        const bool adjusted = framework::settle_axis(axis, CELL, SCREEN);
        SCOPED_TRACE(::testing::Message() << "asked " << c.asked.pixels << " px, " << c.asked.count
                                          << " cells of " << c.asked.cell);
        EXPECT_EQ(axis.pixels, c.settled.pixels);
        EXPECT_EQ(axis.count, c.settled.count);
        EXPECT_EQ(axis.cell, c.settled.cell);
        EXPECT_EQ(adjusted, c.adjusted);
    }
}

class WindowTextGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_number = gw_open_child_window("grid");
        ASSERT_GE(m_number, GW_FIRST_WINDOW_NUMBER);
    }
    void TearDown() override { gw_close_child_window(m_number, 0); }

    gw_child_window& window() { return *gw_find_window(m_number); }
    framework::TextGrid grid() {
        framework::SurfaceAccess access(window().surface);
        return window().text_grid;
    }

private:
    int32_t m_number = -1;
};

TEST_F(WindowTextGridTest, DefaultsFillTheScreenWithCourierNewCells) {
    gw_window_config config;
    ASSERT_EQ(gw_apply_window_config(config, window()), 1);
    EXPECT_EQ(config.surface_width, 1024);
    EXPECT_EQ(config.surface_height, 768);
    EXPECT_EQ(config.text_columns, 128);
    EXPECT_EQ(config.text_rows, 48);
    const framework::TextGrid applied = grid();
    EXPECT_EQ(applied.columns, 128);
    EXPECT_EQ(applied.rows, 48);
    ASSERT_TRUE(applied.font);
    EXPECT_EQ(applied.font->family(), "Liberation Mono");
    EXPECT_EQ(applied.font->metrics().average_char_width, 8);
    EXPECT_EQ(applied.font->metrics().height, 16);
}

TEST_F(WindowTextGridTest, ColumnsThatDoNotFitTheCellAreAdjustedThenAccepted) {
    gw_window_config config;
    config.surface_width = 1024;
    config.text_columns = 100;
    config.font_cell = framework::cell_size(8, 16);
    EXPECT_EQ(gw_apply_window_config(config, window()), 0);
    EXPECT_EQ(config.text_columns, 128);
    EXPECT_EQ(config.surface_width, 1024);
    EXPECT_EQ(grid().columns, 0); // nothing applied
    EXPECT_EQ(gw_apply_window_config(config, window()), 1);
    EXPECT_EQ(grid().columns, 128);
}

TEST_F(WindowTextGridTest, WidthLeftToTheFontBecomesTheFontsOwnWidth) {
    gw_window_config config;
    config.surface_width = 600;
    config.surface_height = 400;
    config.font_cell = GW_EXTENDED_FONT_CELL;
    std::strcpy(config.font_face, "Courier New Cyr");
    config.font_cell_extended = framework::cell_size(0, 20);
    config.font_style = 1; // bold
    EXPECT_EQ(gw_apply_window_config(config, window()), 0);
    const int32_t width = framework::cell_width_of(config.font_cell_extended);
    EXPECT_GT(width, 8);
    EXPECT_LT(width, 20);
    EXPECT_EQ(framework::cell_height_of(config.font_cell_extended), 20);
    EXPECT_EQ(config.text_columns, 600 / width);
    EXPECT_EQ(config.text_rows, 20);

    ASSERT_EQ(gw_apply_window_config(config, window()), 1);
    const framework::TextGrid applied = grid();
    EXPECT_EQ(applied.cell_width, width);
    EXPECT_EQ(applied.cell_height, 20);
    ASSERT_TRUE(applied.font);
    EXPECT_TRUE(applied.font->file_path().ends_with("LiberationMono-Bold.ttf"))
        << applied.font->file_path();

    // Read back through the active window, as the application sees it.
    framework::set_thread_active_window(window().number);
    gw_window_config read;
    ASSERT_EQ(gw_get_window_config(read), 1);
    EXPECT_EQ(read.font_cell, framework::cell_size(width, 20));
    EXPECT_EQ(read.text_columns, 600 / width);
    EXPECT_EQ(read.text_rows, 20);
}

// A font call is often the first call on a new window: it configures the window, and that makes
// the text font, while the call holds the font table.
TEST_F(WindowTextGridTest, FontCallOnANewWindowConfiguresItFirst) {
    framework::set_thread_active_window(window().number);
    EXPECT_GT(gw_init_fonts(), 0);
    EXPECT_EQ(window().configured.load(), 1);
    EXPECT_EQ(grid().columns, 128);
}

} // namespace
