// The dialog record and its control table: building it from a template, values and callbacks.
#include "dialogs/dialog.h"

#include "dialogs/controls.h"
#include "dialogs/dialog_window_port.h"
#include "platform/language/catalogue.h"

namespace {

void do_nothing(DialogRecord&, int32_t, int32_t) {}

// A push button without a callback of its own ends the dialog with its id.
void end_with_button(DialogRecord& dialog, int32_t control_id, int32_t) {
    dialog.return_value = control_id;
    dialog_exit(dialog);
}

// The first control with that id, unless it is unaddressable.
ControlRecord* find_control(DialogRecord& dialog, int32_t control_id) {
    for (ControlRecord& control : dialog.controls)
        if (control.id == control_id)
            return control.unaddressable ? nullptr : &control;
    return nullptr;
}

// Before one value of a showing dialog changes or is read, the others are brought up to date
// from the window, unless the record holds values not yet written there.
void refresh_from_window(DialogRecord& dialog, ControlRecord& control) {
    if (dialog.window != 0 && !control.changed)
        dialogs::dialog_window_port().read(dialog.window, control);
}

// The caption and the controls' texts in the run's language; a template's texts are found in the
// catalogue under "dialog " and its name.
void translate_texts(dialogs::DialogTemplate& layout) {
    const std::string context = "dialog " + layout.name;
    layout.caption = language::translate(context.c_str(), layout.caption);
    for (dialogs::DialogItemTemplate& item : layout.items)
        if (!item.text.empty())
            item.text = language::translate(context.c_str(), item.text);
}

void mark_changed(DialogRecord& dialog, ControlRecord& control) {
    if (dialog.window != 0) {
        control.changed = true;
        dialog.changed = true;
    }
}

} // namespace

bool dialog_init(int32_t template_id, DialogRecord& dialog) {
    dialog = DialogRecord();
    dialog.template_id = template_id;
    dialog.callback = do_nothing;
    std::optional<dialogs::DialogTemplate> layout = dialogs::find_dialog_template(template_id);
    if (!layout)
        return false;
    dialog.layout = std::move(*layout);
    translate_texts(dialog.layout);
    const std::vector<dialogs::DialogItemTemplate>& items = dialog.layout.items;
    dialog.controls.reserve(items.size());
    for (size_t at = 0; at < items.size(); ++at) {
        std::optional<ControlRecord> control = dialogs::classify_item(items, at, end_with_button);
        if (!control)
            continue;
        for (ControlRecord& earlier : dialog.controls) {
            if (earlier.id == control->id) {
                earlier.unaddressable = true;
                control->unaddressable = true;
            }
        }
        // Radio buttons after the first of a run share its group.
        if (control->type == ControlType::radio_button && control->integers.empty() &&
            !dialog.controls.empty())
            control->integers = dialog.controls.back().integers;
        dialog.controls.push_back(std::move(*control));
    }
    return true;
}

bool dialog_set_text(DialogRecord& dialog, int32_t control_id, std::string_view text,
                     int32_t index) {
    ControlRecord* control = find_control(dialog, control_id);
    if (!control || !dialogs::text_slot(*control, index))
        return false;
    refresh_from_window(dialog, *control);
    *dialogs::text_slot(*control, index) = dialogs::padded(text, DIALOG_TEXT_LENGTH);
    mark_changed(dialog, *control);
    return true;
}

bool dialog_get_text(DialogRecord& dialog, int32_t control_id, std::string& buffer, size_t length,
                     int32_t index) {
    ControlRecord* control = find_control(dialog, control_id);
    if (!control || !dialogs::text_slot(*control, index))
        return false;
    refresh_from_window(dialog, *control);
    buffer = dialogs::padded(*dialogs::text_slot(*control, index), length);
    return true;
}

bool dialog_set_integer(DialogRecord& dialog, int32_t control_id, int32_t value, int32_t index) {
    ControlRecord* control = find_control(dialog, control_id);
    if (!control || !dialogs::integer_slot(*control, index))
        return false;
    refresh_from_window(dialog, *control);
    *dialogs::integer_slot(*control, index) = value;
    mark_changed(dialog, *control);
    return true;
}

bool dialog_get_integer(DialogRecord& dialog, int32_t control_id, int32_t& value, int32_t index) {
    ControlRecord* control = find_control(dialog, control_id);
    if (!control || !dialogs::integer_slot(*control, index))
        return false;
    refresh_from_window(dialog, *control);
    value = *dialogs::integer_slot(*control, index);
    return true;
}

bool dialog_set_logical(DialogRecord& dialog, int32_t control_id, bool value, int32_t index) {
    ControlRecord* control = find_control(dialog, control_id);
    if (!control || dialogs::logical_index(*control, index) < 0)
        return false;
    refresh_from_window(dialog, *control);
    control->logicals[dialogs::logical_index(*control, index)] = value;
    mark_changed(dialog, *control);
    return true;
}

bool dialog_get_logical(DialogRecord& dialog, int32_t control_id, bool& value, int32_t index) {
    ControlRecord* control = find_control(dialog, control_id);
    if (!control || dialogs::logical_index(*control, index) < 0)
        return false;
    refresh_from_window(dialog, *control);
    value = control->logicals[dialogs::logical_index(*control, index)];
    return true;
}

bool dialog_set_callback(DialogRecord& dialog, int32_t control_id, DialogCallback callback,
                         int32_t index) {
    if (dialog.window != 0)
        return false;
    if (control_id == dialog.template_id) {
        dialog.callback = callback ? std::move(callback) : do_nothing;
        return true;
    }
    ControlRecord* control = find_control(dialog, control_id);
    DialogCallback* slot = control ? dialogs::callback_slot(*control, index) : nullptr;
    if (!slot)
        return false;
    *slot = callback ? std::move(callback) : do_nothing;
    return true;
}

void dialog_set_return_value(DialogRecord& dialog, int32_t value) {
    dialog.return_value = value;
}

void dialog_release(DialogRecord& dialog) {
    for (ControlRecord& control : dialog.controls) {
        control.integers = {};
        control.logicals = {};
        control.texts = {};
        control.callbacks = {};
    }
}
