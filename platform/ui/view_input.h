// Private to the window system: a child view's Qt key and mouse events as the small input
// structs the framework reads.
#pragma once

#include "platform/ui/window_hooks.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>

namespace ui::detail {

// The key as the framework reads it: the navigation keys by name, Escape, Enter, Backspace and
// Tab as their characters, a letter by its key (Ctrl+C is 'C' whatever text it carries) and
// anything else by the text it types; Key::none for a key held with Alt (the menu bar's) or one
// that types nothing. The view id is left for the caller.
KeyInput key_input(const QKeyEvent& event);

// The mouse event in surface pixels: logical position p of the viewport is device pixel
// floor(p * device_pixel_ratio), plus the scroll position. The key state holds the buttons as
// they are after the event (a release no longer holds its button). The view id is left for the
// caller.
MouseInput mouse_input(const QMouseEvent& event, MouseAction action, double device_pixel_ratio,
                       QPoint scroll);

} // namespace ui::detail
