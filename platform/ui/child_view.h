// Child windows: each shows a drawing surface 1:1 in device pixels, scrolls over it, and turns
// mouse input into MouseInput. Views are named by the framework's window numbers. GUI thread
// only, except schedule_repaint's caller side (see there).
#pragma once

#include "platform/ui/frame_window.h"
#include "platform/ui/view_caret.h"

#include <cstdint>
#include <string>

namespace ui {

// Where a new child window appears, in device pixels; DEFAULT_COORDINATE lets the area choose.
struct ViewPlacement {
    int32_t x = DEFAULT_COORDINATE;
    int32_t y = DEFAULT_COORDINATE;
    int32_t width = DEFAULT_COORDINATE;
    int32_t height = DEFAULT_COORDINATE;
};

// Creates a hidden child window without a close command or close button. False when the frame does
// not exist or the number is taken.
bool open_view(int32_t view_id, const std::string& title, const ViewPlacement& placement);
// Destroys the window.
void destroy_view(int32_t view_id);
// Keeps a window whose unit was closed: new title, and the user may now close it (the close
// command and button come back).
void keep_closed_view(int32_t view_id, const std::string& title);
void set_view_title(int32_t view_id, const std::string& title);

// After the surface was (re)built: sets the scroll ranges (line = one text cell, page = the
// client size), shrinks the window to a smaller surface, shows the window, activates it the
// first time, and repaints it whole.
void configure_view(int32_t view_id, int32_t surface_width, int32_t surface_height,
                    int32_t cell_width, int32_t cell_height);

// Shows the window minimised, maximised or normal; `placed` restores it and puts it at x, y
// text cells in the area with a client of width x height cells.
void place_view(int32_t view_id, ShowState state, int32_t x, int32_t y, int32_t width,
                int32_t height);

// The surface of the view changed. At most one call is expected per repaint (the surface's
// repaint-pending flag); repaints are gathered and made at most about every 16 ms.
void schedule_repaint(int32_t view_id);

// Paints the view's changed area now, without waiting for the next gathered repaint, and returns
// once it is painted (nothing for a hidden view). The other changed views are repainted as
// usual. GUI thread.
void repaint_view_now(int32_t view_id);

// Moves, shows or hides the caret. It blinks at the platform's cursor flash time (steady when
// that is 0, and on the offscreen platform, whose pictures must not depend on when they are taken);
// it is lit again whenever it moves or the view gains the focus.
void set_view_caret(int32_t view_id, const CaretSpec& caret);

// The active child window's number, or -1.
int32_t active_view();
void activate_view(int32_t view_id);

struct ViewState {
    bool exists = false;
    bool visible = false;
    int32_t client_width = 0; // logical pixels of the area showing the surface
    int32_t client_height = 0;
    double device_pixel_ratio = 1.0;
    int32_t scroll_x = 0; // surface pixel at the top-left corner
    int32_t scroll_y = 0;
    int32_t scroll_max_x = 0;
    int32_t scroll_max_y = 0;
    int32_t paints = 0;     // paint events so far
    int32_t cell_width = 0; // device pixels of one text cell: the arrow keys' step
    int32_t cell_height = 0;
    bool closable = false;
    bool close_button = false; // the title bar shows a close button
    std::string title;
    CaretSpec caret;
    bool caret_visible = false; // enabled and the view has the focus, whatever the blink's phase
};
ViewState view_state(int32_t view_id);
// Whether the view shows its whole surface (two device pixels short at most, as the scroll
// ranges allow): the window is shown and not minimised, scrolled to its origin, and neither its
// own size, the frame's child-window area nor the frame cuts any of it off. False for a view
// that does not exist.
bool view_shows_whole(int32_t view_id);

// Scrolls to surface pixel (x, y) at the top-left corner, each clamped to 0..the maximum.
void scroll_view_to(int32_t view_id, int32_t x, int32_t y);

// The window system's default sound, a short beep; it does not wait for the sound to end.
void play_default_sound();

} // namespace ui
