// The dialog layer's records: a dialog and its control table with typed values and callbacks,
// and the selectors that address the values. What the dialog calls, the controls and the window
// port all work on.
#pragma once

#include "dialogs/dialog_template.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct DialogRecord;

// A callback receives the dialog, the control id and the callback type (a selector below, or 0
// when the dialog callback is called at initialisation).
using DialogCallback =
    std::function<void(DialogRecord& dialog, int32_t control_id, int32_t callback_type)>;

// Value selectors, which are also the callback types. Non-negative indexes address the integer
// values of a control directly.
inline constexpr int32_t DIALOG_DEFAULT = -1;
inline constexpr int32_t DIALOG_TITLE = -2;
inline constexpr int32_t DIALOG_ENABLED = -3;
inline constexpr int32_t DIALOG_CLICKED = -4;
inline constexpr int32_t DIALOG_STATE = -5;
inline constexpr int32_t DIALOG_CHANGED = -6;
inline constexpr int32_t DIALOG_UPDATED = -7;
inline constexpr int32_t DIALOG_RANGE = -8;
inline constexpr int32_t DIALOG_POSITION = -9;
inline constexpr int32_t DIALOG_SELECTION_CHANGED = -10;
inline constexpr int32_t DIALOG_DOUBLE_CLICKED = -14;

// Stored texts are CP1251, exactly this long, blank-padded.
inline constexpr size_t DIALOG_TEXT_LENGTH = 256;

enum class ControlType : int32_t {
    static_text = 1,
    group_box = 2,
    push_button = 3,
    check_box = 4,
    radio_button = 5,
    edit_box = 6,
    scroll_bar = 7,
    list_box = 8,
    combo_box = 9,
    drop_down_list = 10,
};

struct ControlRecord {
    ControlType type = ControlType::static_text;
    uint16_t id = dialogs::NO_CONTROL_ID;
    bool changed = true;
    bool unaddressable = false;
    std::vector<int32_t> integers;
    std::vector<bool> logicals; // [0] enabled, [1] checked for check boxes and radio buttons
    std::vector<std::string> texts;
    std::vector<DialogCallback> callbacks;
    size_t item_index = 0; // the control's item in the template
};

// A place in the dialog, in dialog units.
struct DialogArea {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct DialogRecord {
    int32_t template_id = 0;
    int32_t window = 0; // while showing, else 0
    int32_t return_value = 1;
    bool changed = true;
    bool busy = false;
    int32_t selecting = -1;
    DialogCallback callback;
    std::vector<ControlRecord> controls;
    dialogs::DialogTemplate layout;
    std::string message; // UTF-8; the dialog's message line, empty when none
    DialogArea message_area;
    int32_t focus_control = 0; // the control to give the focus when next shown; 0: the first
};
