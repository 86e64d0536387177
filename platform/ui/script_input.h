// Synthesized input for the scripted user: it goes through the same event handlers as the real
// mouse and keyboard. GUI thread only.
#pragma once

#include "platform/ui/window_hooks.h"

#include <cstdint>
#include <string>

namespace ui {

// A press or release of `buttons` (KEY_LEFT | KEY_RIGHT) at surface pixel (x, y) of a view: one
// mouse event per button, left first. False when the view does not exist.
bool send_mouse_buttons(int32_t view_id, MouseAction action, int32_t buttons, int32_t x, int32_t y);

// True while a dialog or message box that holds the input of the windows behind it is on
// screen: a person could then neither choose a menu command nor press a button in a window.
bool modal_box_up();

// Enter, Escape, Left, Right, Up, Down, PageUp, PageDown, Home, End, Insert, or one character
// (UTF-8), each after any number of "Ctrl+" and "Shift+" prefixes, pressed and released with
// those modifiers in the widget that has the focus. False for an unknown name.
bool send_key(const std::string& name);

} // namespace ui
