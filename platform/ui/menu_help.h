// Help on menu items: F1 over a highlighted item chooses it in help mode, and the help file is
// opened with the desktop's viewer behind a replaceable opener. GUI thread only.
#pragma once

#include <functional>
#include <string>

namespace ui {

// Whether the item being chosen was chosen in help mode (F1 over it); clears the request, so that
// the next choice is an ordinary one again. WindowHooks::on_menu_command asks it first.
bool take_help_request();

// Chooses the top-level item whose label, without '&', is `label` in help mode, as F1 over it
// would. False when there is none or it is greyed or disabled.
bool choose_top_level_item_for_help(const std::string& label);

// Opens the file at `path` with the desktop's viewer for it and returns at once, without waiting
// for the viewer. False when no viewer could be started.
bool open_help_file(const std::string& path);

// Opens help files instead of the desktop's viewer (the scripted mode and tests, which must never
// start one); an empty opener brings the viewer back.
using HelpFileOpener = std::function<bool(const std::string& path)>;
void set_help_file_opener(HelpFileOpener opener);

} // namespace ui
