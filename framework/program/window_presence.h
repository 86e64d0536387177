// Whether the user can see a unit's window: the frame on screen, the keyboard not taken by
// another program, and the window's whole surface in view.
#pragma once

#include <cstdint>

struct GwPresence {
    bool frame_exposed = true;    // the frame is mapped and not minimised
    bool focus_elsewhere = false; // another program's window took the keyboard focus
    bool surface_whole = true;    // the window shows its whole drawing surface
};

// Whether the user sees the whole of the window's picture.
inline bool gw_present(const GwPresence& presence) {
    return presence.frame_exposed && !presence.focus_elsewhere && presence.surface_whole;
}

// callback(presence): what the user can see of the watched window, now and after every change.
// Runs on the GUI thread.
using gw_presence_callback = void (*)(const GwPresence& presence);

// Watches the window of `unit` (an open child window) from now on: the callback is called soon
// with its presence, and again whenever that changes. nullptr stops watching. Result 0, or -2
// when the unit has no open window. Thread-safe.
int32_t gw_register_presence_callback(int32_t unit, gw_presence_callback callback);

namespace framework {

// The window system says the presence may have changed: tells the callback when it did. GUI
// thread.
void check_presence();

} // namespace framework
