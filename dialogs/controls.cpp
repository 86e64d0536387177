// Classifying template items into controls, and the values each control type has by selector.
#include "dialogs/controls.h"

#include "runtime/cp1251.h"
#include "runtime/stop.h"

#include <algorithm>

namespace dialogs {

namespace {

void do_nothing(DialogRecord&, int32_t, int32_t) {}

[[noreturn]] void invalid_style(std::string_view style_name, uint16_t id) {
    rt_stop_with_text("Invalid style " + std::string(style_name) + " used for control " +
                      std::to_string(id));
}

// The callback types each control type answers, in slot order (-1 names the first).
std::vector<int32_t> callback_types(ControlType type) {
    switch (type) {
    case ControlType::push_button:
    case ControlType::check_box:
    case ControlType::radio_button:
        return {DIALOG_CLICKED};
    case ControlType::edit_box:
        return {DIALOG_CHANGED, DIALOG_UPDATED};
    case ControlType::scroll_bar:
        return {DIALOG_CHANGED};
    case ControlType::list_box:
    case ControlType::drop_down_list:
        return {DIALOG_SELECTION_CHANGED, DIALOG_DOUBLE_CLICKED};
    case ControlType::combo_box:
        return {DIALOG_SELECTION_CHANGED, DIALOG_DOUBLE_CLICKED, DIALOG_CHANGED, DIALOG_UPDATED};
    case ControlType::static_text:
    case ControlType::group_box:
        break;
    }
    return {};
}

std::optional<ControlType> button_type(uint32_t style, uint16_t id) {
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return ControlType::push_button;
    case BS_AUTOCHECKBOX:
        return ControlType::check_box;
    case BS_RADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON:
        return ControlType::radio_button;
    case BS_GROUPBOX:
        return ControlType::group_box;
    case BS_USERBUTTON:
        invalid_style("BS_USERBUTTON", id);
    case BS_OWNERDRAW:
        invalid_style("BS_OWNERDRAW", id);
    default:
        invalid_style("<unknown>", id);
    }
}

std::optional<ControlType> control_type(const DialogItemTemplate& item) {
    const std::string& name = item.window_class;
    if (name == "STATIC")
        return ControlType::static_text;
    if (name == "BUTTON")
        return button_type(item.style, item.id);
    if (name == "EDIT") {
        if (item.style & ES_MULTILINE)
            invalid_style("ES_MULTILINE", item.id);
        return ControlType::edit_box;
    }
    if (name == "SCROLLBAR")
        return ControlType::scroll_bar;
    if (name == "LISTBOX") {
        if (item.style & LBS_OWNERDRAWFIXED)
            invalid_style("LBS_OWNERDRAWFIXED", item.id);
        if (item.style & LBS_OWNERDRAWVARIABLE)
            invalid_style("LBS_OWNERDRAWVARIABLE", item.id);
        return ControlType::list_box;
    }
    if (name == "COMBOBOX") {
        if (item.style & CBS_OWNERDRAWFIXED)
            invalid_style("CBS_OWNERDRAWFIXED", item.id);
        if (item.style & CBS_OWNERDRAWVARIABLE)
            invalid_style("CBS_OWNERDRAWVARIABLE", item.id);
        return (item.style & CBS_TYPEMASK) == CBS_DROPDOWNLIST ? ControlType::drop_down_list
                                                               : ControlType::combo_box;
    }
    return std::nullopt;
}

// A radio button's group runs from it up to the next item with the group style; its last
// control is the last automatic radio button seen before that.
std::vector<int32_t> radio_group(const std::vector<DialogItemTemplate>& items, size_t at) {
    int32_t last = items[at].id;
    for (size_t next = at + 1; next < items.size() && !(items[next].style & WS_GROUP); ++next)
        if (items[next].window_class == "BUTTON" &&
            (items[next].style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            last = items[next].id;
    return {items[at].id, last};
}

// The first radio button of a run: the item before it is no radio button, or it starts a group.
bool starts_radio_run(const std::vector<DialogItemTemplate>& items, size_t at) {
    if (at == 0 || (items[at].style & WS_GROUP))
        return true;
    const DialogItemTemplate& before = items[at - 1];
    const auto type = before.window_class == "BUTTON" ? (before.style & BS_TYPEMASK) : BS_TYPEMASK;
    return type != BS_RADIOBUTTON && type != BS_3STATE && type != BS_AUTO3STATE &&
           type != BS_AUTORADIOBUTTON;
}

} // namespace

std::string padded(std::string_view text, size_t length) {
    std::string result(text.substr(0, std::min(text.size(), length)));
    result.resize(length, ' ');
    return result;
}

std::optional<ControlRecord> classify_item(const std::vector<DialogItemTemplate>& items, size_t at,
                                           const DialogCallback& push_button_callback) {
    const DialogItemTemplate& item = items[at];
    const std::optional<ControlType> type = control_type(item);
    if (!type)
        return std::nullopt;
    ControlRecord control;
    control.type = *type;
    control.id = item.id;
    control.item_index = at;
    control.logicals = {(item.style & WS_DISABLED) == 0};
    const std::string title = padded(utf8_to_cp1251(item.text), DIALOG_TEXT_LENGTH);
    const std::string blank = padded("", DIALOG_TEXT_LENGTH);
    switch (*type) {
    case ControlType::static_text:
    case ControlType::group_box:
    case ControlType::push_button:
    case ControlType::edit_box:
        control.texts = {title};
        break;
    case ControlType::check_box:
        control.logicals.push_back(false);
        control.texts = {title};
        break;
    case ControlType::radio_button:
        control.logicals.push_back(false);
        control.texts = {title};
        // Every button of a run carries the group found at its first button.
        control.integers = radio_group(items, at);
        if (!starts_radio_run(items, at))
            control.integers.clear();
        break;
    case ControlType::scroll_bar:
        control.integers = {0, 100, 1, 10};
        break;
    case ControlType::list_box:
    case ControlType::drop_down_list:
        control.integers = {0, 0};
        control.texts = {blank};
        break;
    case ControlType::combo_box:
        control.integers = {0};
        control.texts = {blank};
        break;
    }
    control.callbacks.assign(callback_types(*type).size(), *type == ControlType::push_button
                                                               ? push_button_callback
                                                               : DialogCallback(do_nothing));
    return control;
}

std::string* text_slot(ControlRecord& control, int32_t index) {
    if (control.texts.empty())
        return nullptr;
    switch (control.type) {
    case ControlType::static_text:
    case ControlType::group_box:
    case ControlType::push_button:
        return index == DIALOG_DEFAULT || index == DIALOG_TITLE ? &control.texts[0] : nullptr;
    case ControlType::check_box:
    case ControlType::radio_button:
        return index == DIALOG_TITLE ? &control.texts[0] : nullptr;
    case ControlType::edit_box:
        return index == DIALOG_DEFAULT || index == DIALOG_STATE ? &control.texts[0] : nullptr;
    case ControlType::list_box:
    case ControlType::combo_box:
    case ControlType::drop_down_list:
        return index == DIALOG_DEFAULT ? &control.texts[0] : nullptr;
    case ControlType::scroll_bar:
        break;
    }
    return nullptr;
}

int32_t* integer_slot(ControlRecord& control, int32_t index) {
    if (index >= 0)
        return static_cast<size_t>(index) < control.integers.size() ? &control.integers[index]
                                                                    : nullptr;
    if (control.integers.empty())
        return nullptr;
    if (control.type == ControlType::scroll_bar) {
        if (index == DIALOG_DEFAULT || index == DIALOG_POSITION)
            return &control.integers[0];
        if (index == DIALOG_RANGE)
            return &control.integers[1];
        return nullptr;
    }
    return index == DIALOG_DEFAULT ? &control.integers[0] : nullptr;
}

int32_t logical_index(const ControlRecord& control, int32_t index) {
    int32_t found = -1;
    const bool checkable =
        control.type == ControlType::check_box || control.type == ControlType::radio_button;
    if (index == DIALOG_ENABLED)
        found = 0;
    else if (checkable && (index == DIALOG_DEFAULT || index == DIALOG_STATE))
        found = 1;
    // A released control has no values left.
    return found >= 0 && static_cast<size_t>(found) < control.logicals.size() ? found : -1;
}

DialogCallback* callback_slot(ControlRecord& control, int32_t index) {
    const std::vector<int32_t> types = callback_types(control.type);
    if (types.empty() || control.callbacks.size() != types.size())
        return nullptr;
    if (index == DIALOG_DEFAULT)
        return &control.callbacks[0];
    const auto found = std::find(types.begin(), types.end(), index);
    return found == types.end() ? nullptr : &control.callbacks[found - types.begin()];
}

} // namespace dialogs
