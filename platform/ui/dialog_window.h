// Dialog windows: a modal dialog laid out in dialog units with its controls, their values, and
// the scripted user's way into them. GUI thread only.
#pragma once

#include "platform/raster/bitmap.h"
#include "platform/ui/dialog_spec.h"

#include <cstdint>
#include <string>

namespace ui {

// Opens the dialog over `owner` (a dialog window, or 0 for the frame), modal, without a close
// box; Enter acts as the push button with id 1 (or the push button that has the focus) and Escape
// as the one with id 2. The sink is called on the GUI thread. Result the window, 0 on failure.
int32_t open_dialog(const DialogSpec& spec, int32_t owner, DialogEventSink sink);
void close_dialog(int32_t window);
void write_dialog_control(int32_t window, size_t control, const DialogControlState& state);
DialogControlState read_dialog_control(int32_t window, size_t control);
// A line of text in the alert colour at a place in dialog units; an empty text hides it.
void show_dialog_message(int32_t window, const std::string& text, int32_t x, int32_t y,
                         int32_t width, int32_t height);

// Gives the control the keyboard focus; an edit box gets its whole text selected.
void focus_dialog_control(int32_t window, size_t control);

// The scripted user on the dialog on screen (the last opened): types `text` into the control
// with that id, as the keyboard would (a digits-only box takes only the digits, a read-only box
// nothing), or presses a push button. False with the reason when it cannot.
bool script_dialog_set(int32_t id, const std::string& text, std::string& reason);
bool script_dialog_press(int32_t id, std::string& reason);

// The frame as grabbed, with the dialogs and message boxes on screen drawn over it where they
// stand.
raster::Bitmap grab_frame_with_dialogs();

} // namespace ui
