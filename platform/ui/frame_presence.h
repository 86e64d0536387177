// Whether the user can see the program: the frame's exposure and the keyboard focus taken by
// another program (what a child window shows of its surface is view_shows_whole, in
// child_view.h). GUI thread only.
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

// The frame's presence or what a view shows may have changed: one check is made a moment later
// (the window hooks' on_presence_changed), however many calls come before it.
void schedule_presence_check();

namespace detail {

// From now on the frame's window is watched. Once it has a native window.
void watch_frame_presence();

} // namespace detail

} // namespace ui
