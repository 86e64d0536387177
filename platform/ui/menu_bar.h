// The frame's menu bar, rebuilt whole from plain data whenever the menus change. GUI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// One item; labels are UTF-8 with '&' before the access key, and "\t" before a shortcut text.
struct MenuEntry {
    std::string label;
    int32_t command = 0;
    bool greyed = false;
    bool disabled = false;
    bool checked = false;
    bool separator = false;
    bool column_break = false;    // starts a new column (Qt menus scroll instead: ignored)
    bool drop_down = false;       // a top-level item that opens `items`
    std::vector<MenuEntry> items; // only for a drop-down
};

// Replaces the menu bar. Choosing an item calls WindowHooks::on_menu_command.
void set_menu_bar(const std::vector<MenuEntry>& entries);

// Chooses the top-level item whose label, without '&', is `label`, as a click would. False when
// there is none or it is greyed or disabled.
bool choose_top_level_item(const std::string& label);

// The top-level labels as shown, for tests.
std::vector<std::string> top_level_labels();

} // namespace ui
