// The process-wide font table that gw_init_fonts builds, and where its fonts come from.
#pragma once

#include "framework/windows/child_window.h"
#include "platform/fonts/font_library.h"

#include <cstdint>
#include <vector>

namespace framework {

// The fonts the table is built from: the system's by default. Takes effect only before the
// table is first built (tests choose a fixed set of font files this way). Thread-safe.
void set_font_source(fonts::FontSource source);

// A copy of the table, empty before it is built. Thread-safe.
std::vector<fonts::EnumeratedFont> font_table_entries();

// The index of the last enumerated entry that is not a plain raster font; -1 when none.
int32_t default_font_index();

// Forgets a window's font; registered as the window calls' font release, so that it is called
// when the window is destroyed. Thread-safe.
void release_window_font(gw_child_window& window);

} // namespace framework
