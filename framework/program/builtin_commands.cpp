// The built-in menu commands: the predefined routines that stand for them and what they do.
#include "framework/program/builtin_commands.h"

#include "framework/program/closing_menus.h"
#include "framework/program/error_reports.h"
#include "framework/program/menu_help.h"
#include "framework/program/pausing.h"
#include "framework/program/process.h"
#include "framework/program/program_state.h"
#include "platform/ui/frame_window.h"
#include "platform/ui/menu_bar.h"
#include "platform/ui/menu_help.h"
#include "runtime/clock.h"

namespace {

void toggle_status_bar() {
    const bool visible = !ui::status_bar_visible();
    ui::set_status_bar_visible(visible);
    framework::set_command_checked(framework::COMMAND_STATUS_BAR, visible);
}

} // namespace

int32_t gw_menu_command(int32_t command) {
    switch (command) {
    case GW_MENU_ACTION_STATUS_BAR:
        framework::on_gui_later(
            [] { framework::run_builtin_command(framework::COMMAND_STATUS_BAR); });
        return 0;
    case GW_MENU_ACTION_TILE:
        framework::on_gui_later([] { ui::arrange_children(ui::Arrangement::tile); });
        return 0;
    case GW_MENU_ACTION_CASCADE:
        framework::on_gui_later([] { ui::arrange_children(ui::Arrangement::cascade); });
        return 0;
    case GW_MENU_ACTION_ARRANGE_ICONS:
        framework::on_gui_later([] { ui::arrange_children(ui::Arrangement::icons); });
        return 0;
    default:
        gw_report_error(GW_MESSAGE_NOT_PREDEFINED, __FILE__, __LINE__);
        return -1;
    }
}

int32_t gw_menu_command(gw_menu_routine routine) {
    const int32_t command = framework::predefined_command(routine);
    if (command == 0) {
        gw_report_error(GW_MESSAGE_NOT_PREDEFINED, __FILE__, __LINE__);
        return -1;
    }
    framework::on_gui_later([command] { framework::run_builtin_command(command); });
    return 0;
}

namespace framework {

// Built-in commands, on the GUI thread. Selection, clipboard, printing, saving, view and help
// commands exist only as menu states: choosing one does nothing.
void run_builtin_command(int32_t command) {
    switch (command) {
    case COMMAND_EXIT:
    case COMMAND_MINIMAL_EXIT:
        close_frame_from_menu();
        break;
    case COMMAND_CASCADE:
        ui::arrange_children(ui::Arrangement::cascade);
        break;
    case COMMAND_TILE:
        ui::arrange_children(ui::Arrangement::tile);
        break;
    case COMMAND_ARRANGE_ICONS:
        ui::arrange_children(ui::Arrangement::icons);
        break;
    case COMMAND_STATUS_BAR:
        toggle_status_bar();
        break;
    case COMMAND_PAUSE:
        pause_program();
        break;
    case COMMAND_RESUME:
        resume_program();
        break;
    case COMMAND_ABOUT:
        framework::show_message_later(framework::program_title(), framework::about_text());
        break;
    default:
        break;
    }
}

// The minimal menus' two commands are the frame's own. Every other command belongs to the active
// child window: without one nothing is carried out. For those the trace's `menu` event is
// written; a built-in command runs here, an application's callback unless the program is paused.
void dispatch_menu_command(int32_t command, bool has_state) {
    // An item chosen in help mode is only explained, whatever the run state.
    if (ui::take_help_request()) {
        show_menu_help(command);
        return;
    }
    if (command == COMMAND_MINIMAL_EXIT) {
        close_frame_from_menu();
        return;
    }
    if (command == COMMAND_NOTHING || !ui::child_window_active())
        return;
    const gw_menu_routine callback = chosen_application_routine(command);
    if (command <= LAST_BUILTIN_COMMAND) {
        run_builtin_command(command);
        return;
    }
    if (callback && run_state() != GW_PAUSED) {
        callback(has_state ? 1 : 0);
        rt_wake();
    }
}

} // namespace framework
