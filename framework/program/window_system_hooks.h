// The framework on the window system: the hooks that show child windows on screen, repaint them
// and carry mouse and menu input in, and units opened as windows.
#pragma once

#include <cstdint>

// Opens a child window titled `title` (UTF-8; "Unit N" when empty) for `unit`, connects the
// unit to it and makes it the calling thread's active window, which it stays as the unit's
// window. Result the window number, or -1 when no window can be opened.
int32_t gw_open_unit_window(int32_t unit, const char* title);

// Gives the window connected to `unit` the input focus: it becomes the active child window of
// the frame. Result 1, or 0 when the unit has no open window. Without a window system there is
// no focus to give, and the result is 1 for an open window all the same. Thread-safe.
int32_t gw_focus_unit_window(int32_t unit);

// Paints what has been drawn into the calling thread's active window on the screen now, instead
// of with the next gathered repaint (about every 16 ms), and returns once the screen shows it:
// a clock started after it starts with the picture in front of the user. 0; -1 without an active
// window or without a window system. Never call it while holding a surface lock.
int32_t gw_show_now();

// The screen the frame is on: its size in device pixels, and the physical size it reports in
// millimetres (0 when it reports none). All 0 without a window system. Thread-safe.
struct GwScreenFacts {
    int32_t width_px = 0;
    int32_t height_px = 0;
    double width_mm = 0.0;
    double height_mm = 0.0;
};
GwScreenFacts gw_frame_screen();

// callback(screen): the frame has moved to another screen, `screen`. Runs on the GUI thread.
using gw_screen_callback = void (*)(const GwScreenFacts& screen);
// Replaces the callback; nullptr removes it. Thread-safe.
void gw_register_screen_callback(gw_screen_callback callback);

namespace framework {

// Connects the framework to the window system: window hooks, repaint notification, the screen
// size. GUI thread, once the frame exists.
void attach_window_system();

// The unit a window was opened for (0 when none). Thread-safe.
int32_t window_unit(int32_t window_number);

} // namespace framework
