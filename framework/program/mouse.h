// Mouse events: callbacks per window and event, their dispatch from child windows, and the
// blocking wait for an event.
#pragma once

#include "platform/ui/window_hooks.h"

#include <cstdint>

// Event codes, one bit each; masks combine them.
constexpr int32_t GW_MOUSE_LEFT_DOWN = 1;
constexpr int32_t GW_MOUSE_LEFT_UP = 2;
constexpr int32_t GW_MOUSE_LEFT_DOUBLE = 4;
constexpr int32_t GW_MOUSE_RIGHT_DOWN = 8;
constexpr int32_t GW_MOUSE_RIGHT_UP = 16;
constexpr int32_t GW_MOUSE_RIGHT_DOUBLE = 32;
constexpr int32_t GW_MOUSE_MOVE = 64;
constexpr int32_t GW_MOUSE_ALL_EVENTS = 127;

// callback(unit, event, key_state, x, y): x and y are surface pixels; key_state has 1 left,
// 2 right, 4 Shift, 8 Ctrl, 16 middle, as after the event. Runs on the GUI thread.
using gw_mouse_callback = int32_t (*)(int32_t unit, int32_t event, int32_t key_state, int32_t x,
                                      int32_t y);

// Stores the callback for every event in `mask`. Result 1 when one of them had a callback
// already (replaced), 0 when none had, -1 when the mask names no event, -2 when the unit is not
// connected to an open child window. Thread-safe.
int32_t gw_register_mouse_callback(int32_t unit, int32_t mask, gw_mouse_callback callback);
// Removes the callbacks of the events in `mask`: 0, -1 or -2 as above. Thread-safe.
int32_t gw_unregister_mouse_callback(int32_t unit, int32_t mask);

// Waits until one of the events in `mask` happens in the calling thread's active window and
// returns its code with the key state and position; -1 for an empty mask, 0 without an active
// window. Shows "Mouse input pending in " + the window title meanwhile.
int32_t gw_wait_mouse_event(int32_t mask, int32_t* key_state, int32_t* x, int32_t* y);

// 1..2000 ms sets the double-click time and returns 0; anything else sets 500 ms and returns 4.
int32_t gw_set_double_click_time(int32_t milliseconds);

namespace framework {

// Dispatches one event of a child window: calls its callback unless the program is paused and
// completes a wait for it. Result 1 handled, 0 not. GUI thread.
int32_t dispatch_mouse_event(int32_t window_number, int32_t event, int32_t key_state, int32_t x,
                             int32_t y);
// Empties the window's callback slots (a window opened or destroyed). Thread-safe.
void forget_mouse_callbacks(int32_t window_number);
// The window system's input turned into an event code and dispatched. GUI thread.
void dispatch_mouse_input(const ui::MouseInput& input);

} // namespace framework
