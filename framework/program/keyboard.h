// Keys in a child window when nothing waits for input: scrolling over the surface, a beep for a
// character, and nothing for the shortcuts of menu commands this program does not offer.
#pragma once

#include "platform/ui/window_hooks.h"

#include <cstdint>

// The key a key callback is given: for a key that makes a character its code (Unicode, upper case
// for a letter; Enter 13, Escape 27, Backspace 8, Tab 9), else one of these.
constexpr int32_t GW_KEY_PAGE_UP = -1;
constexpr int32_t GW_KEY_PAGE_DOWN = -2;
constexpr int32_t GW_KEY_HOME = -3;
constexpr int32_t GW_KEY_END = -4;
constexpr int32_t GW_KEY_LEFT = -5;
constexpr int32_t GW_KEY_RIGHT = -6;
constexpr int32_t GW_KEY_UP = -7;
constexpr int32_t GW_KEY_DOWN = -8;
constexpr int32_t GW_KEY_INSERT = -9;
// Modifier bits of `key_state`.
constexpr int32_t GW_KEY_SHIFT = 4;
constexpr int32_t GW_KEY_CONTROL = 8;
// The key went up (else down), and the key's auto-repeat made the event.
constexpr int32_t GW_KEY_RELEASE = 16;
constexpr int32_t GW_KEY_REPEAT = 32;

// callback(unit, key, key_state): returns 1 when it took the key, which then does nothing else;
// 0 leaves the key to the handling below. Runs on the GUI thread.
using gw_key_callback = int32_t (*)(int32_t unit, int32_t key, int32_t key_state);

// Gives the keys pressed and released in the unit's child window to `callback` first (never
// while the program is paused); a release is given to the callback only, whatever it returns. Result 1 when it replaced a callback, 0 when there was none, -2 when the unit is not
// connected to an open child window. Thread-safe.
int32_t gw_register_key_callback(int32_t unit, gw_key_callback callback);
// Removes it: 0, or -2 as above. Thread-safe.
int32_t gw_unregister_key_callback(int32_t unit);

namespace framework {

// Carries out a key pressed in child window `input.view_id`: the window's key callback sees it
// first (and only it sees a release); unless it took the key,
// - Page Up / Page Down scroll up / down by one page (the client size); with Ctrl left / right.
// - Home scrolls to the left edge, End to the right edge; with Ctrl also to the top / bottom.
// - The arrow keys scroll by one text cell in their direction.
// - Ctrl+S pauses and Ctrl+Q resumes the program when the menu bar offers the pause command.
//   Ctrl+C, Insert with or without Ctrl or Shift, and Ctrl+S and Ctrl+Q otherwise do nothing,
//   except that while the program is paused the Ctrl letters beep as any character.
// - Escape ends a pause, then beeps as any other character.
// - Any other character (Enter included) beeps: the trace event `beep window=N` and the window
//   system's default sound. Nothing is stored.
// Scrolling stops at the surface's edges; every scrolling key writes the trace event
// `scroll window=N x=X y=Y` with the position reached (in surface pixels). GUI thread.
void dispatch_key_input(const ui::KeyInput& input);

// Forgets the window's key callback (a window opened or destroyed). Thread-safe.
void forget_key_callback(int32_t window_number);

} // namespace framework
