// Private to the framework: the built-in menu commands and the predefined routines standing for
// them.
#pragma once

#include "framework/program/menus.h"

#include <cstdint>
#include <set>

namespace framework {

// The command a predefined routine stands for, or 0 for any other routine.
int32_t predefined_command(gw_menu_routine routine);
// Built-in commands whose items change state at run time: their presence is tracked.
bool is_tracked_command(int32_t command);
std::set<int32_t> tracked_commands();
// Carries out a built-in command (identifiers up to 1100). GUI thread.
void run_builtin_command(int32_t command);

} // namespace framework
