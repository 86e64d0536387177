// The window calls above the calling threads' active windows: closing a child window, and the
// configuration of the calling thread's active window.
#pragma once

#include "framework/windows/window_config.h"

#include <cstdint>

// Closes a window. With `keep` the window stays, marked closed and its title suffixed
// "-Closed"; otherwise its surface is released and its slot emptied. A calling thread whose
// active window it was falls back to the default window; a destroyed default window is replaced
// by a new one. Result 0, or -1 for a number that names no open window.
int32_t gw_close_child_window(int32_t window_number, int32_t keep);

// Validates the record and applies it to the calling thread's active window. Sizes, counts and
// colours must be -1 or above 0, the font cell -1, -2 or above 0; with -2 the extended style
// must be 0x80000000 or hold bit 1, 2 or 4 and the extended cell must not be 0. A field that
// breaks its rule is set to -1 (the style to 0x80000000) and 0 returned without applying.
// Otherwise the result of gw_apply_window_config; 0 with status -1 without an active window.
int32_t gw_set_window_config(gw_window_config& config);

// Fills the record from the calling thread's active window (applying the default configuration
// first when it has none). Result 1, or 0 when the thread has no active window.
int32_t gw_get_window_config(gw_window_config& config);

namespace framework {

// Lets go of a destroyed window's graphic-text font, under the font calls' lock, so that a font
// call in progress on the window finishes first and a new window in the slot never meets the
// font. The text floor registers it when it makes its font state, before any window can have a
// font; until then a destroyed window has none to let go of. Thread-safe.
using WindowFontRelease = void (*)(gw_child_window& window);
void set_window_font_release(WindowFontRelease release);

} // namespace framework
