// The menu bar the frame keeps while it closes.
#include "framework/program/closing_menus.h"

#include "framework/program/predefined_routines.h"
#include "framework/program/process.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/gui_thread.h"
#include "platform/ui/menu_bar.h"

namespace {

std::vector<ui::MenuEntry> closing_entries() {
    ui::MenuEntry exit;
    exit.label = "E&xit";
    exit.command = framework::COMMAND_MINIMAL_EXIT;
    ui::MenuEntry file;
    file.label = "&File";
    file.drop_down = true;
    file.items = {exit};
    return {file};
}

} // namespace

namespace framework {

void show_closing_menus() {
    if (ui::on_gui_thread())
        ui::show_final_menu_bar(closing_entries());
    else
        on_gui_later([] { ui::show_final_menu_bar(closing_entries()); });
}

void close_frame_from_menu() {
    show_closing_menus();
    on_gui_later([] { ui::close_frame(); });
}

} // namespace framework
