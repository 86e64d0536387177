// The predefined menu routines that stand for built-in commands, and the commands' identifiers.
#pragma once

#include <cstdint>
#include <set>

// A menu callback: `checked` is 1 when the item is checked, greyed or disabled, else 0.
using gw_menu_routine = int32_t (*)(int32_t checked);

// The predefined routines: only their identity counts; calling one does nothing.
int32_t gw_menu_print(int32_t checked);
int32_t gw_menu_save(int32_t checked);
int32_t gw_menu_exit(int32_t checked);
int32_t gw_menu_select_text(int32_t checked);
int32_t gw_menu_select_graphics(int32_t checked);
int32_t gw_menu_select_all(int32_t checked);
int32_t gw_menu_copy(int32_t checked);
int32_t gw_menu_paste(int32_t checked);
int32_t gw_menu_size_to_fit(int32_t checked);
int32_t gw_menu_full_screen(int32_t checked);
int32_t gw_menu_pause(int32_t checked);
int32_t gw_menu_cascade(int32_t checked);
int32_t gw_menu_tile(int32_t checked);
int32_t gw_menu_arrange_icons(int32_t checked);
int32_t gw_menu_input(int32_t checked);
int32_t gw_menu_clear_paste(int32_t checked);
int32_t gw_menu_status_bar(int32_t checked);
int32_t gw_menu_contents(int32_t checked);
int32_t gw_menu_using_help(int32_t checked);
int32_t gw_menu_about(int32_t checked);

namespace framework {

// Built-in commands have identifiers up to this one; the application's start at 1101.
constexpr int32_t LAST_BUILTIN_COMMAND = 1100;
// The commands of the minimal menus: "E&xit" closes the frame, the empty item does nothing.
constexpr int32_t COMMAND_MINIMAL_EXIT = 10;
constexpr int32_t COMMAND_NOTHING = 11;

// The identifiers of the predefined commands, the items of the default menus. 1005, 1013 and 1014
// name no command; 1009 (Resume) stands in for 1008 while the program is paused, and no routine
// stands for it.
constexpr int32_t COMMAND_EXIT = 1000;
constexpr int32_t COMMAND_SELECT_TEXT = 1001;
constexpr int32_t COMMAND_SELECT_GRAPHICS = 1002;
constexpr int32_t COMMAND_SELECT_ALL = 1003;
constexpr int32_t COMMAND_COPY = 1004;
constexpr int32_t COMMAND_SIZE_TO_FIT = 1006;
constexpr int32_t COMMAND_FULL_SCREEN = 1007;
constexpr int32_t COMMAND_PAUSE = 1008;
constexpr int32_t COMMAND_RESUME = 1009;
constexpr int32_t COMMAND_CASCADE = 1010;
constexpr int32_t COMMAND_TILE = 1011;
constexpr int32_t COMMAND_ARRANGE_ICONS = 1012;
constexpr int32_t COMMAND_STATUS_BAR = 1015;
constexpr int32_t COMMAND_HELP_CONTENTS = 1016;
constexpr int32_t COMMAND_USING_HELP = 1017;
constexpr int32_t COMMAND_ABOUT = 1018;
constexpr int32_t COMMAND_PRINT = 1019;
constexpr int32_t COMMAND_SAVE = 1020;
constexpr int32_t COMMAND_PASTE = 1021;
constexpr int32_t COMMAND_CLEAR_PASTE = 1022;
constexpr int32_t COMMAND_INPUT = 1023;

// The predefined commands lie in this range; an item with one of them may be deleted.
constexpr int32_t FIRST_PREDEFINED_COMMAND = COMMAND_EXIT;
constexpr int32_t LAST_PREDEFINED_COMMAND = COMMAND_INPUT;

// The command a predefined routine stands for, or 0 for any other routine.
int32_t predefined_command(gw_menu_routine routine);
// Built-in commands whose items change state at run time: their presence is tracked.
bool is_tracked_command(int32_t command);
std::set<int32_t> tracked_commands();

} // namespace framework
