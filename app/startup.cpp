// The application's start-up, in the order the program needs it.
#include "app/startup.h"

#include "app/activities.h"
#include "app/data_folder.h"
#include "app/drawing_window.h"
#include "app/figure_data.h"
#include "app/framework_calls.h"
#include "app/instruction_text.h"
#include "app/interaction_state.h"
#include "app/menu_commands.h"
#include "app/palette.h"
#include "app/start_screen.h"
#include "runtime/stop.h"

#include <utility>

namespace {

FigurePointTable read_figures_or_stop() {
    const auto path = app_figure_data_path(app_data_folder(), app_program_folder());
    FigureDataResult result = app_read_figure_data(path);
    if (result.error)
        fw_stop_with_error(result.error->message());
    return std::move(result.figures);
}

} // namespace

bool app_initial_settings() {
    fw_place_frame(FRAME_STATE_PLACED, 50, 50, 400, 650);
    fw_append_menu_item(1, MENU_ITEM_ENABLED, "Выход", app_menu_exit);
    fw_append_menu_item(2, MENU_ITEM_ENABLED, "Итоги_тренировок", app_menu_results);
    fw_append_about_menu_item(3, MENU_ITEM_ENABLED, "Инструкция");
    return true;
}

void app_main() {
    app_put(menu_request, APP_REQUEST_NONE);
    fw_set_about_text(app_instruction_text());
    fw_place_frame(FRAME_STATE_PLACED, 0, 0, 768, 1024);
    app_open_drawing_window(APP_DRAWING_UNIT, APP_DRAWING_HEIGHT, APP_DRAWING_WIDTH,
                            APP_DRAWING_TITLE);
    app_select_color(APP_COLOR_BLACK);
    // The framework may have given the window another size than asked: what it has bounds
    // everything drawn from now on.
    const SurfaceSize surface = fw_surface_size(APP_DRAWING_UNIT);
    fw_init_fonts();
    app_ask_parameters();
    fw_register_mouse_callback(APP_DRAWING_UNIT, APP_MOUSE_EVENT_MASK, app_mouse_handler);
    app_put(mouse_clicked, 0);
    const FigurePointTable figures = read_figures_or_stop();

    StartScreen start_screen(figures, surface.width, surface.height,
                             app_start_screen_activities(figures, surface.width, surface.height));
    start_screen.run();

    fw_close_unit(APP_DRAWING_UNIT);
    rt_stop();
}
