// The drawing window away from the user: hidden, behind another program that took the keyboard,
// or too small for the picture. A running activity then stands still, as under a modal box.
#pragma once

#include "framework/program/window_presence.h"

// From now on the drawing window's presence is watched. Application thread, once the window is
// open.
void app_watch_presence();

// The drawing window's presence changed (the callback app_watch_presence registers): the trace's
// `away` or `back` when it went from one to the other, the answer clocks' time standing still
// while it is away, and the status bar's note while the window is too small. Any thread.
void app_note_presence(const GwPresence& presence);

// Waits, asleep, while the drawing window is away: nothing new is drawn and no random number
// drawn for nobody. Application thread.
void app_wait_while_away();
