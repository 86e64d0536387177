// The menu bar the frame keeps while it closes: "&File" with the one item "E&xit".
#pragma once

namespace framework {

// Shows the closing menu bar from now on, whatever child window is active. At once on the GUI
// thread; from another thread it is posted (the fatal path does not wait for the GUI thread,
// which may be the thread it waits for). Thread-safe.
void show_closing_menus();
// "E&xit" and the built-in Exit: the closing menus, then the frame is asked to close, which ends
// the program. Thread-safe.
void close_frame_from_menu();

} // namespace framework
