// Text output on a window's text grid: runs, wrapping, carriage returns and line feeds, scrolling
// inside the text window, the text store, and writing to a window by number.
#include "framework/surface/call_status.h"
#include "framework/terminal/text_output.h"
#include "framework/windows/child_window.h"
#include "framework/windows/thread_record.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int32_t CELL_WIDTH = 8;
constexpr int32_t CELL_HEIGHT = 16;
constexpr int32_t COLUMNS = 6;
constexpr int32_t ROWS = 4;
// What no text output draws: the whole surface starts in it, so that a cell still in it was
// left alone.
constexpr raster::Pixel UNTOUCHED = 0xFF00C000u;

// A 6 x 4 grid of 8 x 16 cells whose text window is rows 2..3, columns 2..5.
class TextOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_number = gw_open_child_window("text");
        ASSERT_GE(m_number, GW_FIRST_WINDOW_NUMBER);
        prepare();
    }
    void TearDown() override { gw_close_child_window(m_number, 0); }

    // A fresh configuration: a new surface, all of it untouched, and a fresh text window.
    void prepare() {
        gw_window_config config;
        config.surface_width = COLUMNS * CELL_WIDTH;
        config.surface_height = ROWS * CELL_HEIGHT;
        config.font_cell = framework::cell_size(CELL_WIDTH, CELL_HEIGHT);
        ASSERT_EQ(gw_apply_window_config(config, window()), 1);
        framework::SurfaceAccess access(window().surface);
        access.bitmap().fill(UNTOUCHED);
        framework::TextWindow& text = window().text_window;
        text.top = 2;
        text.left = 2;
        text.bottom = 3;
        text.right = 5;
    }

    gw_child_window& window() { return *gw_find_window(m_number); }
    int32_t number() const { return m_number; }

    // Each cell as a letter: '#' holds a pixel of the text colour, '.' is all background,
    // 'm' all untouched; '?' anything else.
    std::vector<std::string> cells() {
        framework::SurfaceAccess access(window().surface);
        const raster::Pixel ink = raster::pixel_from_colorref(access.palette().entry_color(15));
        const raster::Pixel paper = raster::pixel_from_colorref(access.palette().entry_color(0));
        std::vector<std::string> rows;
        for (int32_t row = 0; row < ROWS; ++row) {
            std::string line;
            for (int32_t column = 0; column < COLUMNS; ++column) {
                bool inked = false, all_paper = true, all_untouched = true;
                for (int32_t y = row * CELL_HEIGHT; y < (row + 1) * CELL_HEIGHT; ++y)
                    for (int32_t x = column * CELL_WIDTH; x < (column + 1) * CELL_WIDTH; ++x) {
                        const raster::Pixel pixel = access.bitmap().pixel(x, y);
                        inked = inked || pixel == ink;
                        all_paper = all_paper && pixel == paper;
                        all_untouched = all_untouched && pixel == UNTOUCHED;
                    }
                line += inked ? '#' : all_paper ? '.' : all_untouched ? 'm' : '?';
            }
            rows.push_back(line);
        }
        return rows;
    }

private:
    int32_t m_number = -1;
};

TEST_F(TextOutputTest, RunsLandOnTheGridInsideTheTextWindow) {
    const struct {
        const char* what;
        std::vector<std::string> writes;
        std::vector<std::string> cells;
    } CASES[] = {
        {"a text wider than the text window wraps at its right column",
         {"HHHHHH"},
         {"mmmmmm", "m####m", "m##mmm", "mmmmmm"}},
        {"a text that fills the row leaves the next write on the next row",
         {"HHHH", "H"},
         {"mmmmmm", "m####m", "m#mmmm", "mmmmmm"}},
        {"a line feed below the last row scrolls the text window up; its freed row is background",
         {"H\r\nH\r\nH"},
         {"mmmmmm", "m#mmmm", "m#...m", "mmmmmm"}},
        {"a text ending on the last row scrolls at once",
         {"HH\r\nHHH\r\n"},
         {"mmmmmm", "m###mm", "m....m", "mmmmmm"}},
        {"a carriage return goes back to column 1 of the same row",
         {"W\r "},
         {"mmmmmm", "m.mmmm", "mmmmmm", "mmmmmm"}},
        {"a carriage return and a line feed make one new line",
         {"W\r\n "},
         {"mmmmmm", "m#mmmm", "m.mmmm", "mmmmmm"}},
        {"a line feed alone also starts at column 1",
         {"WW\n "},
         {"mmmmmm", "m##mmm", "m.mmmm", "mmmmmm"}},
        {"an empty record is written as one blank",
         {"W\r", ""},
         {"mmmmmm", "m.mmmm", "mmmmmm", "mmmmmm"}},
    };
    for (const auto& c : CASES) {
        prepare();
        SCOPED_TRACE(c.what);
        for (const std::string& text : c.writes)
            EXPECT_EQ(gw_write_text(text.data(), static_cast<int32_t>(text.size()), number()),
                      static_cast<int32_t>(text.size()));
        EXPECT_EQ(cells(), c.cells);
    }
}

// The text window starts at grid row 2, column 2, so its cursor (row, column) has its cell at
// pixel (column x 8, row x 16).
TEST_F(TextOutputTest, CaretFollowsTheCursorAfterEachWrite) {
    const struct {
        const char* what;
        std::vector<std::string> writes;
        bool wrap;
        framework::TextCaret caret;
    } CASES[] = {
        {"after a text, at the cell after it", {"abc"}, true, {true, 32, 16, 2, 16}},
        {"after a line feed, at column 1 of the next row", {"abc\n"}, true, {true, 8, 32, 2, 16}},
        {"after a carriage return, at column 1 of the same row",
         {"abc\r"},
         true,
         {true, 8, 16, 2, 16}},
        {"after the text window scrolled, on its last row",
         {"a\nb\ncd"},
         true,
         {true, 24, 32, 2, 16}},
        {"a text that fills the row wraps the cursor to the next",
         {"abcd"},
         true,
         {true, 8, 32, 2, 16}},
        {"without wrapping, a cursor past the right column has no caret", {"abcdef"}, false, {}},
        {"writes in several calls end where one would",
         {"a", "b", "c"},
         true,
         {true, 32, 16, 2, 16}},
    };
    for (const auto& c : CASES) {
        prepare();
        SCOPED_TRACE(c.what);
        {
            framework::SurfaceAccess access(window().surface);
            window().text_window.wrap = c.wrap;
        }
        for (const std::string& text : c.writes)
            gw_write_text(text.data(), static_cast<int32_t>(text.size()), number());
        framework::SurfaceAccess access(window().surface);
        EXPECT_EQ(window().text_window.caret, c.caret);
    }
}

// The window system hears of a caret only when it changes: once per write at most, and once
// when a configuration hides it.
TEST_F(TextOutputTest, WindowSystemIsToldOfEachCaretChangeOnce) {
    std::vector<framework::TextCaret> told;
    framework::WindowSystemHooks hooks;
    hooks.caret_changed = [&](int32_t window_number, const framework::TextCaret& caret) {
        EXPECT_EQ(window_number, number());
        told.push_back(caret);
    };
    framework::set_window_system_hooks(std::move(hooks));

    gw_write_text("ab\r\nc", 5, number());
    EXPECT_EQ(told, (std::vector<framework::TextCaret>{{true, 16, 32, 2, 16}}));
    gw_write_text("\r", 1, number());
    gw_write_text("\r", 1, number());
    EXPECT_EQ(told.size(), 2u) << "the second carriage return leaves the caret where it was";
    prepare();
    ASSERT_EQ(told.size(), 3u);
    EXPECT_FALSE(told.back().enabled);

    framework::set_window_system_hooks({});
}

TEST_F(TextOutputTest, StoreKeepsWhatTheGridShows) {
    const std::string text = "AB\r\nCD\r\nEF\rX";
    ASSERT_EQ(gw_write_text(text.data(), static_cast<int32_t>(text.size()), number()),
              static_cast<int32_t>(text.size()));
    framework::SurfaceAccess access(window().surface);
    const std::vector<framework::TextRun>& store = window().text_window.store;
    ASSERT_EQ(store.size(), 3u);
    // Grid rows and columns: the text window starts at row 2, column 2.
    EXPECT_EQ(store[0].row, 2);
    EXPECT_EQ(store[0].text, "CD");
    EXPECT_EQ(store[1].row, 3);
    EXPECT_EQ(store[1].text, "EF");
    EXPECT_EQ(store[1].first_column, 2);
    EXPECT_EQ(store[1].last_column, 3);
    EXPECT_EQ(store[2].text, "X");
    EXPECT_EQ(window().text_window.cursor_row, 2);
    EXPECT_EQ(window().text_window.cursor_column, 2);
}

TEST_F(TextOutputTest, WritingByNumberLeavesTheActiveWindowAndStatusAlone) {
    const int32_t other = gw_open_child_window("other");
    ASSERT_GE(other, 0);
    framework::set_thread_active_window(other);
    framework::set_graphics_status(GW_STATUS_PARTLY_CLIPPED);
    EXPECT_EQ(gw_write_text("ab", 2, number()), 2);
    EXPECT_EQ(framework::thread_active_window(), other);
    EXPECT_EQ(gw_get_status(), GW_STATUS_PARTLY_CLIPPED);

    // A unit's window keeps the focus it takes.
    framework::mark_unit_window(window());
    EXPECT_EQ(gw_write_text("c", 1, number()), 1);
    EXPECT_EQ(framework::thread_active_window(), number());

    gw_close_child_window(other, 1);
    EXPECT_EQ(gw_write_text("x", 1, other), -1) << "a closed window";
    EXPECT_EQ(gw_write_text("x", 1, GW_FIRST_WINDOW_NUMBER + GW_WINDOW_SLOTS), -1);
    EXPECT_EQ(gw_write_text("x", -1, number()), -1);
    gw_close_child_window(other, 0);
}

} // namespace
