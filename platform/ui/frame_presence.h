// Whether the user can see the program: the frame's exposure, the keyboard focus taken by
// another program, and whether a child window shows its whole surface. GUI thread only.
#pragma once

#include <cstdint>

namespace ui {

struct FramePresence {
    bool exposed = true;          // mapped and not minimised (true before the frame is shown)
    bool focus_elsewhere = false; // another program's window took the keyboard focus
};

// What is known now. On the offscreen platform, with nobody to look at the frame and no other
// program to take the focus, the frame is always present.
FramePresence frame_presence();

// Whether the view shows its whole surface (two device pixels short at most, as the scroll
// ranges allow): the window is shown and not minimised, and neither its own size, the frame's
// child-window area nor the frame cuts any of it off. False for a view that does not exist.
bool view_shows_whole(int32_t view_id);

// The frame's presence or a view's size may have changed: one check is made a moment later
// (the window hooks' on_presence_changed), however many calls come before it.
void schedule_presence_check();

namespace detail {

// From now on the frame's window is watched. Once it has a native window.
void watch_frame_presence();

} // namespace detail

} // namespace ui
