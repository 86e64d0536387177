// Private to the program room: the model of the menu bar behind the menu calls, and showing it
// on the frame.
#pragma once

#include "framework/program/menu_items.h"
#include "framework/program/predefined_routines.h"

#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace framework {

// The menu bar as the calls change it: every field is guarded by `mutex`.
struct MenuModel {
    std::mutex mutex;
    std::vector<MenuItemInfo> bar;
    std::vector<gw_menu_routine> callbacks; // indexed by identifier - 1101
    int32_t next_command = GW_FIRST_APP_COMMAND;
    std::set<int32_t> present;
    int32_t window_list_menu = 0; // 1-based; 0 none
    bool default_tree = false;
    std::string about = "talvena window framework\nversion 0.1.0";
};

// The process's menu model.
MenuModel& menu_model();

// Hands the model to the frame's menu bar: the bar shown while a child window is active, the one
// shown while none is (the default tree when it was built, else a bar of one empty item that does
// nothing) and the window list. Called with the model's lock held, so that the bars reach the GUI
// thread in the order of the changes.
void show_menu_model_locked(const MenuModel& menus);

} // namespace framework
