// The application's menus: building and changing the menu bar, the default menu tree, the About
// text and the callback of a chosen item.
//
// Labels are UTF-8 (the application converts its CP1251 texts); menu and item numbers are
// 1-based positions. Every routine is thread-safe and returns 1 on success, 0 on failure unless
// it says otherwise. Application callbacks run on the GUI thread.
#pragma once

#include "framework/program/menu_items.h"
#include "framework/program/predefined_routines.h"

#include <cstdint>
#include <string>
#include <vector>

// Appends an item to the drop-down of top-level item `menu`, or, with `menu` one past the last,
// a new top-level command item. A top-level command item appended to becomes a drop-down with
// the same label and state. A label without '&' gets one in front. With a predefined routine the
// item carries its built-in command; otherwise it gets the next identifier from 1101.
int32_t gw_append_menu_item(int32_t menu, int32_t flags, const char* text, gw_menu_routine routine);
// As appending, before item `item` of the drop-down (one past the last appends); item 0 inserts
// a top-level item before `menu`.
int32_t gw_insert_menu_item(int32_t menu, int32_t item, int32_t flags, const char* text,
                            gw_menu_routine routine);
// Deletes item `item` of `menu` (an application or built-in command), or with item 0 the whole
// top-level item.
int32_t gw_delete_menu_item(int32_t menu, int32_t item);
// 16 checks, 32 unchecks; otherwise 1 greys, 2 disables, 3 both, 4 enables.
int32_t gw_set_menu_item_state(int32_t menu, int32_t item, int32_t state);
int32_t gw_set_menu_item_text(int32_t menu, int32_t item, const char* text);
// Replaces the routine of an application item.
int32_t gw_set_menu_item_callback(int32_t menu, int32_t item, gw_menu_routine routine);
// Makes the drop-down of top-level item `menu` list the child windows while a child window is
// active (choosing one activates it). 0 when `menu` is out of range or has no drop-down.
int32_t gw_set_window_list_menu(int32_t menu);

// The commands of gw_menu_command by number.
constexpr int32_t GW_MENU_ACTION_STATUS_BAR = 1;
constexpr int32_t GW_MENU_ACTION_TILE = 2;
constexpr int32_t GW_MENU_ACTION_CASCADE = 3;
constexpr int32_t GW_MENU_ACTION_ARRANGE_ICONS = 4;

// 1 toggles the status bar, 2 tiles, 3 cascades, 4 arranges icons; result 0. Anything else:
// error box (message 8) and -1.
int32_t gw_menu_command(int32_t command);
// A predefined routine's command, carried out as if its item had been chosen; result 0. Any
// other routine: error box (message 8) and -1.
int32_t gw_menu_command(gw_menu_routine routine);

// At most 512 characters (UTF-8 code points); result 0, or -1 leaving the text as it was.
int32_t gw_set_about_text(const char* text);

// The default menu tree; false when the menu bar was not empty.
bool gw_build_default_menus();

namespace framework {

std::vector<MenuItemInfo> menu_bar_items();
bool menu_bar_empty();
// Whether an item of a built-in command with a changing state is in the menu bar.
bool command_present(int32_t command);

// Shows the menu model on the frame (after start-up every change does so itself).
void show_menu_bar();
// Greys every item with an application callback (the end of the run, a pause), or enables them
// again (the end of a pause).
void set_application_items_greyed(bool greyed);
std::string about_text();
// Writes the trace's `menu` event for a chosen item and returns its application callback;
// nullptr for a built-in command and for an identifier no item carries. GUI thread.
gw_menu_routine chosen_application_routine(int32_t command);
// Checks or unchecks every item of a command.
void set_command_checked(int32_t command, bool checked);
// Forgets every menu (tests).
void reset_menus();

} // namespace framework
