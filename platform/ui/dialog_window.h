// Dialog windows: a modal dialog laid out in dialog units with its controls, their values, and
// the scripted user's way into them. GUI thread only.
#pragma once

#include "platform/raster/bitmap.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

enum class DialogControlKind : uint8_t {
    static_text,
    group_box,
    push_button,
    check_box,
    radio_button,
    edit_box,
    scroll_bar,
    list_box,
    combo_box,
    drop_down_list,
};

// Positions and sizes in dialog units; texts UTF-8.
struct DialogControlSpec {
    DialogControlKind kind = DialogControlKind::static_text;
    int32_t id = 0;
    std::string text;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool visible = true;
    bool tab_stop = false;
    bool border = false;
    bool digits_only = false;
    bool read_only = false;
};

struct DialogSpec {
    std::string caption;
    int32_t x = 0; // from the top-left of the owner's client area
    int32_t y = 0;
    int32_t width = 0; // of the client area
    int32_t height = 0;
    int32_t font_points = 8;
    std::string font_face;
    std::vector<DialogControlSpec> controls; // in tab order
};

// What a control reports, by the index of its spec.
enum class DialogNotification : uint8_t {
    clicked,
    changed,
    updated,
    selection_changed,
    double_clicked
};
using DialogEventSink = std::function<void(int32_t window, size_t control, DialogNotification)>;

// A control's values as its window shows them.
struct DialogControlState {
    std::string text;
    bool enabled = true;
    bool checked = false;
    int32_t position = 0;
    int32_t range = 100;
    int32_t selection = 0;
};

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

// The scripted user on the dialog on screen (the last opened): types `text` into the control
// with that id, as the keyboard would (a digits-only box takes only the digits, a read-only box
// nothing), or presses a push button. False with the reason when it cannot.
bool script_dialog_set(int32_t id, const std::string& text, std::string& reason);
bool script_dialog_press(int32_t id, std::string& reason);

// The frame as grabbed, with the dialogs and message boxes on screen drawn over it where they
// stand.
raster::Bitmap grab_frame_with_dialogs();

} // namespace ui
