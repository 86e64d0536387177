// The text window's state after a configuration and its store of runs.
#include "framework/windows/text_window.h"

#include <algorithm>

namespace framework {

void reset_text_window(TextWindow& text, int32_t rows, int32_t columns) {
    const bool wrap = text.wrap;
    text = TextWindow{};
    text.bottom = rows;
    text.right = columns;
    text.wrap = wrap;
}

void store_text_run(TextWindow& text, TextRun run) {
    std::erase_if(text.store, [&](const TextRun& old) {
        return old.row == run.row && old.first_column >= run.first_column &&
               old.last_column <= run.last_column;
    });
    const auto after =
        std::upper_bound(text.store.begin(), text.store.end(), run.row,
                         [](int32_t row, const TextRun& stored) { return row < stored.row; });
    text.store.insert(after, std::move(run));
}

void scroll_text_store(TextWindow& text) {
    std::erase_if(text.store, [&](const TextRun& run) { return run.row == text.top; });
    for (TextRun& run : text.store)
        if (run.row > text.top && run.row <= text.bottom)
            --run.row;
}

} // namespace framework
