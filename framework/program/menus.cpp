// The application's menus: changing the menu bar's items, their states and routines, and what the
// framework asks of them.
#include "framework/program/menus.h"

#include "framework/program/error_reports.h"
#include "framework/program/menu_model.h"
#include "runtime/trace.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace {

using framework::menu_model;
using framework::MenuItemInfo;
using framework::MenuModel;
using framework::show_menu_model_locked;

constexpr size_t ABOUT_LIMIT = 512;
constexpr size_t COLUMN_LENGTH = 20;

// The label rule: a label without '&' gets one in front, so its first character is the key.
std::string menu_label(const char* text) {
    std::string label = text ? text : "";
    if (label.find('&') == std::string::npos)
        label.insert(0, 1, '&');
    return label;
}

bool is_application_command(const MenuModel& menus, int32_t command) {
    return command >= GW_FIRST_APP_COMMAND && command < menus.next_command;
}

// The command of a new item: the predefined routine's (marking it present), or the next
// application identifier with the routine in its callback slot (the table grows by 10).
int32_t assign_command(MenuModel& menus, gw_menu_routine routine) {
    if (const int32_t command = framework::predefined_command(routine)) {
        if (framework::is_tracked_command(command))
            menus.present.insert(command);
        return command;
    }
    const size_t index = static_cast<size_t>(menus.next_command - GW_FIRST_APP_COMMAND);
    if (menus.callbacks.empty())
        menus.callbacks.resize(50);
    while (index >= menus.callbacks.size())
        menus.callbacks.resize(menus.callbacks.size() + 10);
    menus.callbacks[index] = routine;
    return menus.next_command++;
}

void clear_callback(MenuModel& menus, int32_t command) {
    if (is_application_command(menus, command))
        menus.callbacks[static_cast<size_t>(command - GW_FIRST_APP_COMMAND)] = nullptr;
}

// A top-level command item that gets items becomes a drop-down with its label and state.
void make_drop_down(MenuModel& menus, MenuItemInfo& top) {
    if (top.drop_down)
        return;
    clear_callback(menus, top.command);
    top.command = 0;
    top.drop_down = true;
}

MenuItemInfo new_item(int32_t flags, const char* text, int32_t command) {
    MenuItemInfo item;
    item.label = menu_label(text);
    item.command = command;
    item.flags = flags & (GW_MENU_GREYED | GW_MENU_DISABLED | GW_MENU_SEPARATOR | GW_MENU_CHECKED);
    return item;
}

// The item `item` of top-level item `menu` (item 0: the top-level item), or nullptr.
MenuItemInfo* find_item(MenuModel& menus, int32_t menu, int32_t item) {
    if (menu < 1 || menu > static_cast<int32_t>(menus.bar.size()) || item < 0)
        return nullptr;
    MenuItemInfo& top = menus.bar[static_cast<size_t>(menu - 1)];
    if (item == 0)
        return &top;
    if (!top.drop_down || item > static_cast<int32_t>(top.items.size()))
        return nullptr;
    return &top.items[static_cast<size_t>(item - 1)];
}

std::string label_without_ampersands(const std::vector<MenuItemInfo>& items, int32_t command) {
    for (const MenuItemInfo& item : items) {
        if (!item.drop_down && item.command == command) {
            std::string label = item.label.substr(0, item.label.find('\t'));
            label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
            return label;
        }
        if (std::string found = label_without_ampersands(item.items, command); !found.empty())
            return found;
    }
    return {};
}

// Where add_item puts the new item: at the end of the menu, or before item `item`.
enum class ItemPlacement : uint8_t { append, insert };

int32_t add_item(int32_t menu, int32_t item, int32_t flags, const char* text,
                 gw_menu_routine routine, ItemPlacement placement) {
    const bool append = placement == ItemPlacement::append;
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    const int32_t count = static_cast<int32_t>(menus.bar.size());
    if (menu < 1 || menu > count + 1 || item < 0)
        return 0;
    if (!append && item == 0) {
        if (menus.window_list_menu >= menu)
            ++menus.window_list_menu;
        menus.bar.insert(menus.bar.begin() + (menu - 1),
                         new_item(flags, text, assign_command(menus, routine)));
        show_menu_model_locked(menus);
        return 1;
    }
    if (menu == count + 1) {
        if (!append)
            return 0;
        menus.bar.push_back(new_item(flags, text, assign_command(menus, routine)));
        show_menu_model_locked(menus);
        return 1;
    }
    MenuItemInfo& top = menus.bar[static_cast<size_t>(menu - 1)];
    const int32_t items = top.drop_down ? static_cast<int32_t>(top.items.size()) : 0;
    if (!append && item > items + 1)
        return 0;
    make_drop_down(menus, top);
    MenuItemInfo entry = new_item(flags, text, assign_command(menus, routine));
    if (append) {
        const size_t held = top.items.size();
        entry.column_break = held > 1 && held % COLUMN_LENGTH == 0;
        top.items.push_back(std::move(entry));
    } else {
        top.items.insert(top.items.begin() + (item - 1), std::move(entry));
    }
    show_menu_model_locked(menus);
    return 1;
}

size_t utf8_length(const char* text) {
    size_t length = 0;
    for (const char* p = text; *p; ++p)
        length += (static_cast<unsigned char>(*p) & 0xC0u) != 0x80u;
    return length;
}

} // namespace

int32_t gw_append_menu_item(int32_t menu, int32_t flags, const char* text,
                            gw_menu_routine routine) {
    return add_item(menu, 0, flags, text, routine, ItemPlacement::append);
}

int32_t gw_insert_menu_item(int32_t menu, int32_t item, int32_t flags, const char* text,
                            gw_menu_routine routine) {
    return add_item(menu, item, flags, text, routine, ItemPlacement::insert);
}

int32_t gw_delete_menu_item(int32_t menu, int32_t item) {
    MenuModel& menus = menu_model();
    bool refused = false;
    {
        std::lock_guard lock(menus.mutex);
        MenuItemInfo* found = find_item(menus, menu, item);
        if (!found)
            return 0;
        if (item == 0) {
            if (menus.window_list_menu == menu)
                menus.window_list_menu = 0;
            else if (menus.window_list_menu > menu)
                --menus.window_list_menu;
            menus.bar.erase(menus.bar.begin() + (menu - 1));
            show_menu_model_locked(menus);
            return 1;
        }
        const int32_t command = found->command;
        if (is_application_command(menus, command) ||
            (command >= framework::FIRST_PREDEFINED_COMMAND &&
             command <= framework::LAST_PREDEFINED_COMMAND)) {
            menus.present.erase(command);
            auto& items = menus.bar[static_cast<size_t>(menu - 1)].items;
            items.erase(items.begin() + (item - 1));
            show_menu_model_locked(menus);
            return 1;
        }
        refused = true;
    }
    if (refused)
        gw_report_error(GW_MESSAGE_INTERNAL_ERROR, __FILE__, __LINE__);
    return 0;
}

// A check request wins over an enable request given with it.
int32_t gw_set_menu_item_state(int32_t menu, int32_t item, int32_t state) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    MenuItemInfo* found = find_item(menus, menu, item);
    if (!found)
        return 0;
    if (state & GW_MENU_CHECKED)
        found->flags |= GW_MENU_CHECKED;
    else if (state & GW_MENU_UNCHECKED)
        found->flags &= ~GW_MENU_CHECKED;
    else if (state & GW_MENU_ENABLED)
        found->flags &= ~(GW_MENU_GREYED | GW_MENU_DISABLED);
    else if (state & (GW_MENU_GREYED | GW_MENU_DISABLED))
        found->flags = (found->flags & ~(GW_MENU_GREYED | GW_MENU_DISABLED)) |
                       (state & (GW_MENU_GREYED | GW_MENU_DISABLED));
    else
        return 0;
    show_menu_model_locked(menus);
    return 1;
}

int32_t gw_set_menu_item_text(int32_t menu, int32_t item, const char* text) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    MenuItemInfo* found = find_item(menus, menu, item);
    if (!found)
        return 0;
    found->label = menu_label(text);
    show_menu_model_locked(menus);
    return 1;
}

int32_t gw_set_menu_item_callback(int32_t menu, int32_t item, gw_menu_routine routine) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    MenuItemInfo* found = find_item(menus, menu, item);
    if (!found || found->drop_down || !is_application_command(menus, found->command))
        return 0;
    clear_callback(menus, found->command);
    if (const int32_t command = framework::predefined_command(routine)) {
        found->command = command;
        if (framework::is_tracked_command(command))
            menus.present.insert(command);
    } else {
        menus.callbacks[static_cast<size_t>(found->command - GW_FIRST_APP_COMMAND)] = routine;
    }
    show_menu_model_locked(menus);
    return 1;
}

int32_t gw_set_window_list_menu(int32_t menu) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    const MenuItemInfo* top = find_item(menus, menu, 0);
    if (!top || !top->drop_down)
        return 0;
    menus.window_list_menu = menu;
    show_menu_model_locked(menus);
    return 1;
}

int32_t gw_set_about_text(const char* text) {
    if (!text || utf8_length(text) > ABOUT_LIMIT)
        return -1;
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    menus.about = text;
    return 0;
}

namespace framework {

std::vector<MenuItemInfo> menu_bar_items() {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    return menus.bar;
}

bool menu_bar_empty() {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    return menus.bar.empty();
}

bool command_present(int32_t command) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    return menus.present.count(command) != 0;
}

void show_menu_bar() {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    show_menu_model_locked(menus);
}

void set_application_items_greyed(bool greyed) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    const auto set = [greyed](MenuItemInfo& item) {
        item.flags = greyed ? item.flags | GW_MENU_GREYED : item.flags & ~GW_MENU_GREYED;
    };
    for (MenuItemInfo& top : menus.bar) {
        if (is_application_command(menus, top.command))
            set(top);
        for (MenuItemInfo& item : top.items)
            if (is_application_command(menus, item.command))
                set(item);
    }
    show_menu_model_locked(menus);
}

std::string about_text() {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    return menus.about;
}

gw_menu_routine chosen_application_routine(int32_t command) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    rt_trace_event("menu", {{"label", label_without_ampersands(menus.bar, command)}});
    if (command > LAST_BUILTIN_COMMAND && is_application_command(menus, command))
        return menus.callbacks[static_cast<size_t>(command - GW_FIRST_APP_COMMAND)];
    return nullptr;
}

void set_command_checked(int32_t command, bool checked) {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    for (MenuItemInfo& top : menus.bar)
        for (MenuItemInfo& item : top.items)
            if (item.command == command)
                item.flags = checked ? item.flags | GW_MENU_CHECKED : item.flags & ~GW_MENU_CHECKED;
    show_menu_model_locked(menus);
}

void reset_menus() {
    MenuModel& menus = menu_model();
    std::lock_guard lock(menus.mutex);
    menus.bar.clear();
    menus.present.clear();
    menus.window_list_menu = 0;
    menus.default_tree = false;
    show_menu_model_locked(menus);
}

} // namespace framework
