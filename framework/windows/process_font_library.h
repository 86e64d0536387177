// The process's font library: where the text grids' fonts and the font table's fonts come from.
#pragma once

#include "platform/fonts/font_library.h"

namespace framework {

// The fonts the library is opened with: the system's by default. Takes effect only while the
// library is not open (tests choose a fixed set of font files this way). Thread-safe.
void set_font_library_source(fonts::FontSource source);

// The library, opened on first use and open until the process ends; nullptr when it cannot be
// opened, then and ever after. Takes the library lock only while opening, so it may be called
// under the font calls' lock or alone. Thread-safe, and so is the library.
fonts::FontLibrary* process_font_library();

} // namespace framework
