// A child view's text caret as plain data.
#pragma once

#include <cstdint>

namespace ui {

// A view's text caret: a bar over surface pixels x..x+width-1, y..y+height-1, drawn over the
// view in inverted colours, never into the surface. It is shown while it is enabled and the view
// has the keyboard focus, and moves with the scroll position.
struct CaretSpec {
    bool enabled = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

} // namespace ui
