// The framework on the window system: handing work to the GUI thread, child windows shown on
// screen, repaints, and units opened as windows.
#pragma once

#include <cstdint>
#include <functional>

// Opens a child window titled `title` (UTF-8; the default title when empty) for `unit`,
// connects the unit to it and makes it the calling thread's active window. Result the window
// number, or -1 when no window can be opened. Closing the unit destroys the window.
int32_t gw_open_unit_window(int32_t unit, const char* title);

// Gives the window connected to `unit` the input focus: it becomes the active child window of
// the frame. Result 1, or 0 when the unit has no open window. Without a window system there is
// no focus to give, and the result is 1 for an open window all the same. Thread-safe.
int32_t gw_focus_unit_window(int32_t unit);

namespace framework {

// True once the frame exists and until the program ends. Thread-safe.
bool gui_running();

// Runs `work` on the GUI thread and waits for it (at once on the GUI thread). False, with
// `work` not run, when there is no window system or the program is ending. Never call it while
// holding a surface lock. Thread-safe.
bool on_gui_and_wait(std::function<void()> work);
// Runs `work` later on the GUI thread; nothing without a window system. Thread-safe.
void on_gui_later(std::function<void()> work);

// Connects the framework to the window system: window hooks, repaint notification, units'
// window hooks, the screen size. GUI thread, once the frame exists.
void attach_window_system();

// The unit a window was opened for (0 when none). Thread-safe.
int32_t window_unit(int32_t window_number);

} // namespace framework
