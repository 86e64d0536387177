// Opening the application's drawing windows and their plotting frames.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The unit of the window everything is drawn into, and its requested surface.
inline constexpr int32_t APP_DRAWING_UNIT = 1;
inline constexpr int16_t APP_DRAWING_WIDTH = 980;
inline constexpr int16_t APP_DRAWING_HEIGHT = 650;
// The drawing window's title in the run's language.
std::string app_drawing_title();

// The world and pixel extents the results chart maps its coordinates from.
struct AppPlottingFrame {
    float world_width = 240.0f;
    float world_height = 180.0f;
    float pixels_across = 0;
    float pixels_down = 0;
};

// Opens a graphics child window titled `title` (UTF-8) on the unit with a width x height
// surface, makes it the active window and clears it to white. Unit 1 also tiles the child
// windows. The first opening loads the working palette. Application thread only.
void app_open_drawing_window(int32_t unit, int16_t height, int16_t width, std::string_view title);

// The plotting frame recorded when the unit's window was opened.
std::optional<AppPlottingFrame> app_plotting_frame(int32_t unit);
