// Inside the dialog layer: classifying template items into controls, and each control type's
// values by selector.
#pragma once

#include "dialogs/dialog_record.h"

#include <optional>

namespace dialogs {

// The control for a template item, or nothing for classes the layer leaves out. An unsupported
// style stops the program. `items` and `at` let a radio button find its group. A push button's
// callbacks start as `push_button_callback` (the dialog calls pass the one that ends the dialog
// with the button's id), every other control's as doing nothing.
std::optional<ControlRecord> classify_item(const std::vector<DialogItemTemplate>& items, size_t at,
                                           const DialogCallback& push_button_callback);

// The control's value slot for a selector, or nullptr when its type has none.
std::string* text_slot(ControlRecord& control, int32_t index);
int32_t* integer_slot(ControlRecord& control, int32_t index);
// The index of the logical value a selector names, or -1.
int32_t logical_index(const ControlRecord& control, int32_t index);
// The callback slot a selector names, or nullptr.
DialogCallback* callback_slot(ControlRecord& control, int32_t index);

// `text` cut or blank-padded to `length`.
std::string padded(std::string_view text, size_t length);

} // namespace dialogs
