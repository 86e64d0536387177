// The text window of a child window: the part of the text grid that text output writes into,
// its cursor, wrapping, colours and the store of the runs written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace framework {

// One run of text as it was written: CP1251 bytes on grid row `row`, columns `first_column` to
// `last_column` (1-based, cut at the text window's right column).
struct TextRun {
    int32_t row = 0;
    int32_t first_column = 0;
    int32_t last_column = 0;
    std::string text;
};

// The text caret: the surface pixels it covers in the cell at the text cursor, and whether it is
// shown there. Text output shows it once a text has been written; a configuration hides it.
struct TextCaret {
    bool enabled = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const TextCaret&) const = default;
};

// Part of gw_child_window, guarded by the window's surface lock. Rows and columns are 1-based;
// the cursor counts from the text window's top-left cell.
struct TextWindow {
    int32_t top = 1;
    int32_t left = 1;
    int32_t bottom = 0;
    int32_t right = 0;
    int32_t cursor_row = 1;
    int32_t cursor_column = 1;
    bool wrap = true; // on when the window is opened; a configuration keeps it
    int32_t text_color_index = 15;
    int32_t background_index = 0;
    TextCaret caret;
    // Ordered by row; what scrolls out of the text window leaves it, and a run that covers
    // earlier runs of its row replaces them, so the store holds what the grid shows.
    std::vector<TextRun> store;
};

// After a configuration: the whole grid, the cursor home, colours 15 on 0, the store empty, the
// caret hidden.
void reset_text_window(TextWindow& text, int32_t rows, int32_t columns);

// Adds a run to the store, keeping it ordered by row and dropping the runs of that row that
// the new one covers.
void store_text_run(TextWindow& text, TextRun run);

// The text window's rows moved up by one: runs on them move with them, those on its top row
// are gone.
void scroll_text_store(TextWindow& text);

} // namespace framework
