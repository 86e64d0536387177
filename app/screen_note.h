// The status bar's texts of the program, with a note in front of them while the frame is on a
// screen whose resolution is not the one the viewing parameters were accepted for: on such a
// screen every ring is drawn at a wrong size.
#pragma once

#include "framework/program/window_system_hooks.h"

#include <cstdint>
#include <string>

// The note for a frame on a screen of `screen_width` x `screen_height` device pixels when the
// parameters were accepted for `nx` x `ny`: empty when they agree or the screen's size is
// unknown (0).
std::string app_screen_note(int32_t screen_width, int32_t screen_height, int32_t nx, int32_t ny);

// From now on a move of the frame to another screen is noted: the trace's `screen` event, and
// the note in the status bar while the screen's resolution is not `nx` x `ny`. Application
// thread, once the parameters are accepted.
void app_watch_screen(int32_t nx, int32_t ny);

// The frame is now on `screen` (the callback app_watch_screen registers): the trace's
// `screen width=W height=H agrees=0|1`, and the status bar's text shown again with the note as
// it now applies.
void app_note_screen(const GwScreenFacts& screen);

// The drawing window is too small to show the whole picture (true), or shows it again: while it
// is too small a note asking to make it larger stands first in the status bar. Thread-safe.
void app_note_window_small(bool small);

// Shows `text` (UTF-8) in the status bar, after the notes when there are any. Thread-safe.
void app_show_status(const std::string& text);

// The start screen's status text: `geometry` (the geometry's note), then what the buttons and
// the keys that stand for them do there. Shown unless it is shown already. Thread-safe.
void app_show_start_screen_status(const std::string& geometry);
