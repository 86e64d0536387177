// The application's start-up, in the order the program needs it.
#include "app/startup.h"

#include "app/activities.h"
#include "app/data_folder.h"
#include "app/drawing_window.h"
#include "app/figure_data.h"
#include "app/instruction_text.h"
#include "app/interaction_state.h"
#include "app/menu_commands.h"
#include "app/palette.h"
#include "app/presence.h"
#include "app/start_screen.h"
#include "framework/program/frame.h"
#include "framework/program/menus.h"
#include "framework/program/keyboard.h"
#include "framework/program/mouse.h"
#include "framework/text/gw_text.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/language/catalogue.h"
#include "runtime/cp1251.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <array>
#include <filesystem>
#include <utility>

namespace {

// The frame's placement: state 4 places it explicitly (before the frame exists the framework
// keeps the values for its creation).
constexpr int16_t FRAME_PLACED = 4;

FigurePointTable read_figures_or_stop() {
    const std::filesystem::path program_folder = app_program_folder();
    const std::array<std::filesystem::path, 3> folders = {
        app_data_folder(), app_installed_data_folder(program_folder), program_folder};
    const std::filesystem::path path = app_figure_data_path(folders);
    FigureDataResult result = app_read_figure_data(path);
    if (result.error)
        // The framework shows the text in an error box; the program ends.
        rt_fatal_error(result.error->message());
    return std::move(result.figures);
}

} // namespace

bool app_initial_settings() {
    gw_set_window_state(GW_FRAME_WINDOW_NUMBER, {FRAME_PLACED, 50, 50, 400, 650});
    gw_append_menu_item(1, GW_MENU_ENABLED, language::translate("menu bar", "Выход").c_str(),
                        app_menu_exit);
    gw_append_menu_item(2, GW_MENU_ENABLED,
                        language::translate("menu bar", "Итоги_тренировок").c_str(),
                        app_menu_results);
    gw_append_menu_item(3, GW_MENU_ENABLED, language::translate("menu bar", "Инструкция").c_str(),
                        gw_menu_about);
    return true;
}

void app_main() {
    app_put(menu_request, APP_REQUEST_NONE);
    gw_set_about_text(cp1251_to_utf8(app_instruction_text()).c_str());
    gw_set_window_state(GW_FRAME_WINDOW_NUMBER, {FRAME_PLACED, 0, 0, 768, 1024});
    app_open_drawing_window(APP_DRAWING_UNIT, APP_DRAWING_HEIGHT, APP_DRAWING_WIDTH,
                            app_drawing_title());
    app_select_color(APP_COLOR_BLACK);
    // The framework may have given the window another size than asked: what it has bounds
    // everything drawn from now on.
    gw_window_config surface;
    gw_get_window_config(surface);
    gw_init_fonts();
    app_ask_parameters();
    gw_register_mouse_callback(APP_DRAWING_UNIT, APP_MOUSE_EVENT_MASK, app_mouse_handler);
    gw_register_key_callback(APP_DRAWING_UNIT, app_key_handler);
    app_watch_presence();
    app_put(mouse_clicked, 0);
    const FigurePointTable figures = read_figures_or_stop();

    StartScreen start_screen(
        figures, surface.surface_width, surface.surface_height,
        app_start_screen_activities(figures, surface.surface_width, surface.surface_height));
    start_screen.run();

    rt_close(APP_DRAWING_UNIT, RtOnError::report);
    rt_stop();
}
