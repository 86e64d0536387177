// Private to the framework: the process-wide font table and font state behind the gw_ text
// family.
#pragma once

#include "framework/text/font_choice.h"
#include "framework/windows/child_window.h"
#include "platform/fonts/font_library.h"

#include <memory>
#include <mutex>
#include <vector>

namespace framework {

struct FontState {
    // Taken for the whole of every font call; the configuration lock, the font library's lock
    // (windows/process_font_library.h) and a surface lock may be taken under it, never the other
    // way round. Window configurations take the library's lock alone (to open the library), never
    // this one, since a font call may configure the window it draws in.
    std::mutex mutex;

    std::vector<fonts::EnumeratedFont> table;
    bool built = false;       // usable for selection
    bool initialised = false; // the fonts-initialised flag
    int32_t default_index = -1;

    int32_t orientation = 0;     // tenths of a degree, -3599..3599
    int32_t requested_angle = 0; // before reduction
    bool italic = false;         // style flags of the last selection
    bool underline = false;
    bool bold = false;
    int32_t direction_x = 1;
    int32_t direction_y = 0;
    bool set_as_direction = false;
};

// The process's font state. Hold its mutex while using it.
FontState& font_state();

// Creates table entry `choice.index` for the window with the current orientation and style
// flags and makes it the window's current font. Result index + 1, or -1 with status -1 when the
// font cannot be created (the window keeps its font). Caller holds the mutex.
int16_t create_entry_font(FontState& state, gw_child_window& window, const FontChoice& choice);

// The window's current font object, read under its surface lock.
std::shared_ptr<const fonts::Font> current_font(gw_child_window& window);

} // namespace framework
