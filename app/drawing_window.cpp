// Opening the application's drawing windows.
#include "app/drawing_window.h"

#include "app/palette.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/menus.h"
#include "framework/program/window_system_hooks.h"
#include "framework/windows/window_calls.h"
#include "framework/windows/window_config.h"
#include "platform/language/catalogue.h"

#include <map>
#include <string>

namespace {

constexpr int32_t WHITE = 0xFFFFFF;

std::map<int32_t, AppPlottingFrame> plotting_frames;
int32_t openings = 0;

// Asks the active window for the surface size with default text grid and colours. When the
// framework has to adjust a value it fills in what it can use, and the same record is applied
// once more; that second result is not acted on.
void configure_surface(int16_t height, int16_t width) {
    gw_window_config config;
    config.surface_width = width;
    config.surface_height = height;
    config.text_columns = -1;
    config.text_rows = -1;
    config.colors = -1;
    if (gw_set_window_config(config) == 0)
        gw_set_window_config(config);
}

} // namespace

void app_open_drawing_window(int32_t unit, int16_t height, int16_t width, std::string_view title) {
    gw_open_unit_window(unit, std::string(title).c_str());
    configure_surface(height, width);
    plotting_frames[unit] = {240.0f, 180.0f, static_cast<float>(width), static_cast<float>(height)};
    if (++openings == 1)
        app_load_working_palette();
    if (unit == APP_DRAWING_UNIT)
        gw_menu_command(gw_menu_tile);
    gw_set_background_rgb(WHITE);
    gw_clear_screen(GW_CLEAR_WINDOW);
}

std::string app_drawing_title() {
    return language::translate("drawing window", "Тренажер для глаз");
}

std::optional<AppPlottingFrame> app_plotting_frame(int32_t unit) {
    const auto found = plotting_frames.find(unit);
    if (found == plotting_frames.end())
        return std::nullopt;
    return found->second;
}
