// Help on menu commands: each built-in command's help topic, where the help file is, and what
// choosing an item in help mode does instead of carrying its command out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace framework {

// The help file's name: looked for as named by NORVEL_HLP, then along the PATH.
inline constexpr const char* HELP_FILE_NAME = "NORVEL.HLP";

// The help topic of a built-in command; nothing for the application's commands, the minimal
// menus' two and identifiers no command carries.
std::optional<int32_t> help_topic(int32_t command);

// Where the help file is, given the values of NORVEL_HLP and PATH (empty when unset): the file
// NORVEL_HLP names when it exists, else the first NORVEL.HLP in a directory of the
// colon-separated PATH, else the bare name NORVEL.HLP.
std::string find_help_file(std::string_view named, std::string_view search_path);

// The help file of this run: found from the environment at the first call and remembered.
// Thread-safe.
const std::string& help_file();

// An item chosen in help mode: opens the help file at the command's topic, or, for a command
// without one and whenever no child window is active to take commands, says that there is no
// help for the item. Boxes are shown later, so that the menu command ends first. GUI thread.
void show_menu_help(int32_t command);

} // namespace framework
