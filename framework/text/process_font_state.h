// Private to the framework: the process-wide font table and font state behind the gw_ text
// family.
#pragma once

#include "framework/windows/child_window.h"
#include "framework/text/font_choice.h"
#include "platform/fonts/font_library.h"

#include <memory>
#include <mutex>
#include <vector>

namespace framework {

struct FontState {
    // Taken for the whole of every font call; the configuration lock, the library lock and a
    // surface lock may be taken under it, never the other way round.
    std::mutex mutex;
    // Guards opening the library. Window configurations create their text fonts under it alone,
    // since a font call may configure the window it draws in.
    std::mutex library_mutex;
    fonts::FontSource source;
    std::unique_ptr<fonts::FontLibrary> library; // once open, open until the process ends
    bool library_failed = false;

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

// The library the fonts come from, opened on first use; nullptr when it cannot be opened.
// Takes the library lock; the library itself is thread-safe.
fonts::FontLibrary* library(FontState& state);

// Creates table entry `choice.index` for the window with the current orientation and style
// flags and makes it the window's current font. Result index + 1, or -1 with status -1 when the
// font cannot be created (the window keeps its font). Caller holds the mutex.
int16_t create_entry_font(FontState& state, gw_child_window& window, const FontChoice& choice);

// The window's current font object, read under its surface lock.
std::shared_ptr<const fonts::Font> current_font(gw_child_window& window);

} // namespace framework
