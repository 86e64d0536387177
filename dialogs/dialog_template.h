// Dialog templates: the layout of a dialog as data (caption, styles, position, size, font and its
// items), read from the readable template files under resources/dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

// Window and control style bits, as the templates name them.
inline constexpr uint32_t WS_POPUP = 0x80000000u;
inline constexpr uint32_t WS_CHILD = 0x40000000u;
inline constexpr uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr uint32_t WS_DISABLED = 0x08000000u;
inline constexpr uint32_t WS_CAPTION = 0x00C00000u;
inline constexpr uint32_t WS_BORDER = 0x00800000u;
inline constexpr uint32_t WS_SYSMENU = 0x00080000u;
inline constexpr uint32_t WS_GROUP = 0x00020000u;
inline constexpr uint32_t WS_TABSTOP = 0x00010000u;
inline constexpr uint32_t DS_MODALFRAME = 0x80u;
inline constexpr uint32_t DS_SETFONT = 0x40u;
inline constexpr uint32_t BS_TYPEMASK = 0x0Fu;
inline constexpr uint32_t BS_PUSHBUTTON = 0x0u;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x1u;
inline constexpr uint32_t BS_CHECKBOX = 0x2u;
inline constexpr uint32_t BS_AUTOCHECKBOX = 0x3u;
inline constexpr uint32_t BS_RADIOBUTTON = 0x4u;
inline constexpr uint32_t BS_3STATE = 0x5u;
inline constexpr uint32_t BS_AUTO3STATE = 0x6u;
inline constexpr uint32_t BS_GROUPBOX = 0x7u;
inline constexpr uint32_t BS_USERBUTTON = 0x8u;
inline constexpr uint32_t BS_AUTORADIOBUTTON = 0x9u;
inline constexpr uint32_t BS_OWNERDRAW = 0xBu;
inline constexpr uint32_t SS_LEFT = 0x0u;
inline constexpr uint32_t ES_LEFT = 0x0u;
inline constexpr uint32_t ES_MULTILINE = 0x4u;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x80u;
inline constexpr uint32_t ES_READONLY = 0x800u;
inline constexpr uint32_t ES_NUMBER = 0x2000u;
inline constexpr uint32_t LBS_OWNERDRAWFIXED = 0x10u;
inline constexpr uint32_t LBS_OWNERDRAWVARIABLE = 0x20u;
inline constexpr uint32_t CBS_TYPEMASK = 0x3u;
inline constexpr uint32_t CBS_SIMPLE = 0x1u;
inline constexpr uint32_t CBS_DROPDOWN = 0x2u;
inline constexpr uint32_t CBS_DROPDOWNLIST = 0x3u;
inline constexpr uint32_t CBS_OWNERDRAWFIXED = 0x10u;
inline constexpr uint32_t CBS_OWNERDRAWVARIABLE = 0x20u;

// A control without an id of its own carries this one (written -1 in a template).
inline constexpr uint16_t NO_CONTROL_ID = 65535;

struct DialogItemTemplate {
    std::string window_class; // upper case: BUTTON, STATIC, EDIT, SCROLLBAR, LISTBOX, COMBOBOX...
    uint16_t id = NO_CONTROL_ID;
    std::string text; // UTF-8
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t style = 0;
};

struct DialogTemplate {
    int32_t id = 0;
    std::string name;
    int32_t language = 0;
    std::string caption; // UTF-8
    uint32_t style = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t font_points = 8;
    std::string font_face;
    std::vector<DialogItemTemplate> items;
};

// The templates in a template text (the format of resources/dialogs/*.dlg). A malformed text gives
// no templates and says where it is wrong in `error`.
std::vector<DialogTemplate> parse_dialog_templates(std::string_view text, std::string* error);

// The program's template with that id, from the templates built into it. Thread-safe.
std::optional<DialogTemplate> find_dialog_template(int32_t id);

// Tests: replaces the built-in templates by those of `text` (an empty text: no templates at all),
// and goes back to the built-in ones.
void replace_dialog_templates(std::string_view text);
void use_built_in_dialog_templates();

} // namespace dialogs
