// Keys in a child window when nothing waits for input: scrolling over the surface, a beep for a
// character, and nothing for the shortcuts of menu commands this program does not offer.
#pragma once

#include "platform/ui/window_hooks.h"

namespace framework {

// Carries out a key pressed in child window `input.view_id`:
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

} // namespace framework
