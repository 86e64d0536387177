// The default menu tree: File, Edit, View, State, Window and Help with the built-in commands.
#include "framework/program/menu_model.h"
#include "framework/program/menus.h"

#include <utility>
#include <vector>

namespace {

// "&Window" in the default tree.
constexpr int32_t WINDOW_MENU_NUMBER = 5;

} // namespace

bool gw_build_default_menus() {
    struct Entry {
        const char* label;
        int32_t command;
    };
    const std::vector<std::pair<const char*, std::vector<Entry>>> TREE = {
        {"&File",
         {{"&Print...", framework::COMMAND_PRINT},
          {"&Save...", framework::COMMAND_SAVE},
          {"E&xit\tCtrl+C", framework::COMMAND_EXIT}}},
        {"&Edit",
         {{"Select &Text", framework::COMMAND_SELECT_TEXT},
          {"Select &Graphics", framework::COMMAND_SELECT_GRAPHICS},
          {"Select &All", framework::COMMAND_SELECT_ALL},
          {"&Copy\tCtrl+Ins", framework::COMMAND_COPY},
          {"&Paste", framework::COMMAND_PASTE}}},
        {"&View",
         {{"&Size To Fit", framework::COMMAND_SIZE_TO_FIT},
          {"&Full Screen\tAlt+Enter", framework::COMMAND_FULL_SCREEN}}},
        {"&State", {{"&Pause\tCtrl+S", framework::COMMAND_PAUSE}}},
        {"&Window",
         {{"&Cascade", framework::COMMAND_CASCADE},
          {"&Tile", framework::COMMAND_TILE},
          {"&Arrange Icons", framework::COMMAND_ARRANGE_ICONS},
          {"&Input", framework::COMMAND_INPUT},
          {"C&lear Paste", framework::COMMAND_CLEAR_PASTE},
          {"&Status Bar", framework::COMMAND_STATUS_BAR}}},
        {"&Help",
         {{"&Contents", framework::COMMAND_HELP_CONTENTS},
          {"Using &Help", framework::COMMAND_USING_HELP},
          {"&About", framework::COMMAND_ABOUT}}},
    };
    framework::MenuModel& menus = framework::menu_model();
    std::lock_guard lock(menus.mutex);
    if (!menus.bar.empty())
        return false;
    for (const auto& [title, entries] : TREE) {
        framework::MenuItemInfo top;
        top.label = title;
        top.drop_down = true;
        for (const Entry& entry : entries) {
            framework::MenuItemInfo item;
            item.label = entry.label;
            item.command = entry.command;
            item.flags = entry.command == framework::COMMAND_INPUT ? GW_MENU_GREYED : 0;
            top.items.push_back(std::move(item));
        }
        menus.bar.push_back(std::move(top));
    }
    menus.present = framework::tracked_commands();
    menus.default_tree = true;
    menus.window_list_menu = WINDOW_MENU_NUMBER;
    framework::show_menu_model_locked(menus);
    return true;
}
