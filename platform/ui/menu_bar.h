// The frame's menu bars, rebuilt whole from plain data: the one shown while a child window is
// active, the one shown while none is, and the last one shown while the frame closes. GUI
// thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// One item; labels are UTF-8 with '&' before the access key, and "\t" before a shortcut text.
struct MenuEntry {
    std::string label;
    int32_t command = 0;
    bool greyed = false;
    bool disabled = false;
    bool checked = false;
    bool separator = false;
    bool column_break = false;    // starts a new column: Qt has no such item (see menu_bar.cpp)
    bool drop_down = false;       // a top-level item that opens `items`
    std::vector<MenuEntry> items; // only for a drop-down
};

struct MenuBars {
    std::vector<MenuEntry> active;   // while a child window is active
    std::vector<MenuEntry> inactive; // while no child window is active
    // The top-level drop-down of `active` (0-based) that lists the child windows, or -1.
    int32_t window_list = -1;
};

// Replaces the bars and shows the one that fits. From then on the frame switches between them
// whenever a child window becomes active or stops being active. Choosing an item calls
// WindowHooks::on_menu_command.
void set_menu_bars(MenuBars bars);
// Shows `entries` from now on, whatever is active: the frame is closing or the program failing.
void show_final_menu_bar(const std::vector<MenuEntry>& entries);

// Shows the bar that fits now: after a child window was shown or destroyed, which the window
// area does not always report as an activation.
void refresh_menu_bar();

// Whether a child window is active: the frame's current child window when it is shown, else the
// shown one activated last. False when no child window is shown.
bool child_window_active();

// Chooses the top-level item whose label, without '&', is `label`, as a click would. False when
// there is none or it is greyed or disabled.
bool choose_top_level_item(const std::string& label);
// Chooses the item labelled `label` (without '&') of the drop-down labelled `menu`. Tests.
bool choose_drop_down_item(const std::string& menu, const std::string& label);

// The top-level labels as shown, for tests.
std::vector<std::string> top_level_labels();
// The child-window items of the window-list drop-down as it would open now ("&1 title", ...);
// empty without a window list. Tests.
std::vector<std::string> window_list_labels();
// Chooses the index-th (0-based) child-window item of the window list, as a click would. Tests.
bool choose_window_list_item(int32_t index);

} // namespace ui
