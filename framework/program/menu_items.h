// The items of the menu bar as plain data: their flags and the first application command.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Append and insert flags; state requests of gw_set_menu_item_state.
constexpr int32_t GW_MENU_GREYED = 1;
constexpr int32_t GW_MENU_DISABLED = 2;
constexpr int32_t GW_MENU_ENABLED = 4;
constexpr int32_t GW_MENU_SEPARATOR = 8;
constexpr int32_t GW_MENU_CHECKED = 16;
constexpr int32_t GW_MENU_UNCHECKED = 32;
constexpr int32_t GW_FIRST_APP_COMMAND = 1101;

namespace framework {

// One item of the menu model as the tests see it.
struct MenuItemInfo {
    std::string label;
    int32_t command = 0;
    int32_t flags = 0; // GW_MENU_GREYED | GW_MENU_DISABLED | GW_MENU_CHECKED | GW_MENU_SEPARATOR
    bool drop_down = false;
    bool column_break = false;
    std::vector<MenuItemInfo> items;
};

} // namespace framework
