// Opening the application's drawing windows.
#include "app/drawing_window.h"

#include "app/framework_calls.h"
#include "app/palette.h"
#include "framework/graphics/gw_graphics.h"

#include <map>

namespace {

constexpr int32_t WHITE = 0xFFFFFF;

std::map<int32_t, AppPlottingFrame> plotting_frames;
int32_t openings = 0;

// Asks for the surface size with default text grid and colours. When the framework has to
// adjust a value it fills in what it can use, and the same record is applied once more; that
// second result is not acted on.
void configure_surface(int32_t unit, int16_t height, int16_t width) {
    gw_window_config config;
    config.surface_width = width;
    config.surface_height = height;
    config.text_columns = -1;
    config.text_rows = -1;
    config.colors = -1;
    if (fw_set_window_config(unit, config) == 0)
        fw_set_window_config(unit, config);
}

} // namespace

void app_open_drawing_window(int32_t unit, int16_t height, int16_t width, std::string_view title) {
    fw_open_unit_window(unit, title);
    configure_surface(unit, height, width);
    plotting_frames[unit] = {240.0f, 180.0f, static_cast<float>(width), static_cast<float>(height)};
    if (++openings == 1)
        app_load_working_palette();
    if (unit == APP_DRAWING_UNIT)
        fw_menu_command(MENU_COMMAND_TILE);
    gw_set_background_rgb(WHITE);
    gw_clear_screen(GW_CLEAR_WINDOW);
}

std::optional<AppPlottingFrame> app_plotting_frame(int32_t unit) {
    const auto found = plotting_frames.find(unit);
    if (found == plotting_frames.end())
        return std::nullopt;
    return found->second;
}
