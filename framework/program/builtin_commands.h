// Private to the framework: carrying out the built-in menu commands, and dispatching a chosen item.
#pragma once

#include "framework/program/menus.h"

#include <cstdint>

namespace framework {

// Carries out a built-in command (identifiers up to 1100). GUI thread.
void run_builtin_command(int32_t command);
// A chosen item: built-in command, or the application's callback unless paused. GUI thread.
void dispatch_menu_command(int32_t command, bool has_state);

} // namespace framework
