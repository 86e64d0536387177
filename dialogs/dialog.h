// The dialog layer: a modal dialog built from a template, its control table with typed values and
// callbacks, run from the application thread. Not thread-safe: one thread drives its dialogs.
#pragma once

#include "dialogs/dialog_record.h"

#include <cstdint>
#include <string>
#include <string_view>

// Builds the dialog from the template with that id. False when there is no such template.
// Unsupported control styles stop the program ("Invalid style ... used for control ...").
bool dialog_init(int32_t template_id, DialogRecord& dialog);

// Texts are CP1251 with their lengths. False for an unknown or unaddressable id, or a control or
// selector without such a text.
bool dialog_set_text(DialogRecord& dialog, int32_t control_id, std::string_view text,
                     int32_t index = DIALOG_DEFAULT);
// The buffer receives the text cut or blank-padded to its length.
bool dialog_get_text(DialogRecord& dialog, int32_t control_id, std::string& buffer, size_t length,
                     int32_t index = DIALOG_DEFAULT);

bool dialog_set_integer(DialogRecord& dialog, int32_t control_id, int32_t value,
                        int32_t index = DIALOG_DEFAULT);
bool dialog_get_integer(DialogRecord& dialog, int32_t control_id, int32_t& value,
                        int32_t index = DIALOG_DEFAULT);
bool dialog_set_logical(DialogRecord& dialog, int32_t control_id, bool value,
                        int32_t index = DIALOG_DEFAULT);
bool dialog_get_logical(DialogRecord& dialog, int32_t control_id, bool& value,
                        int32_t index = DIALOG_DEFAULT);

// False for an unknown id, an unsupported selector, or while the dialog is showing. The
// dialog's own template id sets the dialog callback.
bool dialog_set_callback(DialogRecord& dialog, int32_t control_id, DialogCallback callback,
                         int32_t index = DIALOG_DEFAULT);

// Shows the dialog and returns when it has ended: its return value, or -1 when its window could
// not be created. Traces dialog-shown and dialog-closed.
int32_t dialog_run_modal(DialogRecord& dialog);
// Reads the controls' values back from the windows and ends the dialog; nothing when it is not
// showing.
void dialog_exit(DialogRecord& dialog);
void dialog_set_return_value(DialogRecord& dialog, int32_t value);
// Shows `text` (UTF-8, in the alert colour; empty: none) in the dialog's message line at `area`,
// now or when it is next shown: how the program tells the user what to mend without a box.
void dialog_set_message(DialogRecord& dialog, std::string_view text, DialogArea area);
// Gives the control the keyboard focus, an edit box with its whole text selected so that typing
// replaces it: now, or for the next showing only (afterwards the first control that takes the
// keyboard has it again). False for an unknown or unaddressable id.
bool dialog_set_focus(DialogRecord& dialog, int32_t control_id);
// Frees the controls' values.
void dialog_release(DialogRecord& dialog);
