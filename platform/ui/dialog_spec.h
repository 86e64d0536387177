// A dialog as plain data: its layout in dialog units, the values of its controls and what they
// report. What the dialog windows are made from, and what the dialog layer reads and writes.
#pragma once

#include <cstddef>
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

} // namespace ui
