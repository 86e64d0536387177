// The menu model, and the menu bars the frame shows from it.
#include "framework/program/menu_model.h"

#include "framework/program/process.h"
#include "framework/program/program_state.h"
#include "platform/ui/menu_bar.h"

namespace framework {

MenuModel& menu_model() {
    static MenuModel menus;
    return menus;
}

namespace {

// While the program is paused the Pause item reads Resume and resumes; its flags stay.
constexpr const char* RESUME_LABEL = "&Resume\tCtrl+Q";

std::vector<ui::MenuEntry> to_entries(const std::vector<MenuItemInfo>& items) {
    const bool paused = run_state() == GW_PAUSED;
    std::vector<ui::MenuEntry> entries;
    for (const MenuItemInfo& item : items) {
        ui::MenuEntry entry;
        entry.label = item.label;
        entry.command = item.command;
        if (paused && item.command == COMMAND_PAUSE) {
            entry.label = RESUME_LABEL;
            entry.command = COMMAND_RESUME;
        }
        entry.greyed = item.flags & GW_MENU_GREYED;
        entry.disabled = item.flags & GW_MENU_DISABLED;
        entry.checked = item.flags & GW_MENU_CHECKED;
        entry.separator = item.flags & GW_MENU_SEPARATOR;
        entry.column_break = item.column_break;
        entry.drop_down = item.drop_down;
        entry.items = to_entries(item.items);
        entries.push_back(std::move(entry));
    }
    return entries;
}

// Without an active child window the frame shows the default tree when it was built, else a bar
// of one item with an empty label that does nothing.
std::vector<ui::MenuEntry> inactive_entries(const MenuModel& menus) {
    if (menus.default_tree)
        return to_entries(menus.bar);
    ui::MenuEntry nothing;
    nothing.command = COMMAND_NOTHING;
    return {nothing};
}

} // namespace

void show_menu_model_locked(const MenuModel& menus) {
    ui::MenuBars bars;
    bars.active = to_entries(menus.bar);
    bars.inactive = inactive_entries(menus);
    bars.window_list = menus.window_list_menu - 1;
    on_gui_later([bars = std::move(bars)]() mutable { ui::set_menu_bars(std::move(bars)); });
}

} // namespace framework
