// What the window system tells the layer above: input as small structs, pixels asked for by
// view number. The framework registers one set of hooks before it opens windows.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/raster/geometry.h"

#include <cstdint>
#include <functional>

namespace ui {

enum class MouseAction : uint8_t { press, release, double_click, move };
enum class MouseButton : uint8_t { none, left, right, middle };

// Key-state bits of a mouse event, as the state is after the event.
constexpr int32_t KEY_LEFT = 1;
constexpr int32_t KEY_RIGHT = 2;
constexpr int32_t KEY_SHIFT = 4;
constexpr int32_t KEY_CONTROL = 8;
constexpr int32_t KEY_MIDDLE = 16;

struct MouseInput {
    int32_t view_id = 0;
    MouseAction action = MouseAction::press;
    MouseButton button = MouseButton::none;
    int32_t key_state = 0;
    int32_t x = 0; // surface pixel: the scroll position is already added
    int32_t y = 0;
};

// The keys of a child window: the ones that move over the surface, Insert, and every key that
// makes a character (Escape and Enter included). Other keys (function keys, modifiers alone) are
// `none`.
enum class Key : uint8_t {
    none,
    character,
    page_up,
    page_down,
    home,
    end,
    left,
    right,
    up,
    down,
    insert
};

struct KeyInput {
    int32_t view_id = 0;
    Key key = Key::none;
    bool release = false;     // the key went up; else it went down
    bool auto_repeat = false; // a press or release that the key's auto-repeat made
    int32_t key_state = 0;  // KEY_SHIFT and KEY_CONTROL
    char32_t character = 0; // for Key::character: upper case for a letter, whatever the modifiers
};

// Every hook runs on the GUI thread and may be empty.
struct WindowHooks {
    // Calls `paint` with the view's surface while nobody can draw into it; not at all when the
    // surface has no pixels.
    std::function<void(int32_t view_id, const std::function<void(const raster::Bitmap&)>& paint)>
        with_pixels;
    // The surface area changed since the last call; clears its repaint-pending flag.
    std::function<raster::Rect(int32_t view_id)> take_changed;
    std::function<void(const MouseInput&)> on_mouse;
    // A key pressed or released in a child window; its own key handling (scrolling) is never
    // used.
    std::function<void(const KeyInput&)> on_key;
    // The user asks to close a child window; false keeps it open.
    std::function<bool(int32_t view_id)> may_close;
    // A menu item was chosen; `has_state` is true when it is checked, greyed or disabled.
    std::function<void(int32_t command, bool has_state)> on_menu_command;
    // The frame is closing: the program ends.
    std::function<void()> on_frame_closed;
    // The frame has moved to another screen (frame_screen() tells which).
    std::function<void()> on_frame_screen_changed;
    // The frame's exposure or keyboard focus (frame_presence()), or what a child window shows of
    // its surface (view_shows_whole()), may have changed.
    std::function<void()> on_presence_changed;
};

// Replaces the hooks. GUI thread.
void set_window_hooks(WindowHooks hooks);
const WindowHooks& window_hooks();

} // namespace ui
