// The application's calls into the window framework, each behind one thin wrapper.
//
// Each wrapper goes straight through to the framework; the wrappers keep the application's
// texts and types in one place.
#pragma once

#include "framework/windows/window_config.h"

#include <cstdint>
#include <string_view>

using AppMenuCallback = int32_t (*)(int32_t checked);
using AppMouseCallback = int32_t (*)(int32_t unit, int32_t event, int32_t key_state, int32_t x,
                                     int32_t y);

// The frame window's placement: state 4 places it explicitly. Before the frame exists the
// framework keeps the values for its creation.
inline constexpr int16_t FRAME_STATE_PLACED = 4;
void fw_place_frame(int16_t state, int16_t x, int16_t y, int16_t height, int16_t width);

// Appends a top-level menu command with a callback; flags 4 is an ordinary enabled item.
inline constexpr int32_t MENU_ITEM_ENABLED = 4;
void fw_append_menu_item(int32_t menu, int32_t flags, std::string_view label,
                         AppMenuCallback callback);
// The same with the framework's predefined About command as the callback.
void fw_append_about_menu_item(int32_t menu, int32_t flags, std::string_view label);
// The text the About command shows (CP1251, at most 512 characters).
void fw_set_about_text(std::string_view text_cp1251);

// Opens a graphics child window titled `title` (UTF-8) for the unit and makes it the calling
// thread's active window.
void fw_open_unit_window(int32_t unit, std::string_view title);
// Applies a window configuration to the unit's window: 1 when applied, 0 when the framework had
// to adjust a value (the record then holds what it can use) or the unit has no window.
int32_t fw_set_window_config(int32_t unit, gw_window_config& config);

struct SurfaceSize {
    int16_t width = 0;
    int16_t height = 0;
};
// The size of the unit's drawing surface in pixels (0 x 0 without one).
SurfaceSize fw_surface_size(int32_t unit);

// Prepares the font table.
void fw_init_fonts();
// Delivers the unit's mouse events of the mask to the callback.
void fw_register_mouse_callback(int32_t unit, int32_t event_mask, AppMouseCallback callback);
// Runs a predefined menu command; 2 tiles the child windows.
inline constexpr int32_t MENU_COMMAND_TILE = 2;
void fw_menu_command(int32_t command);

// Closes the unit (its window goes with it).
void fw_close_unit(int32_t unit);

// Shows the text in an error box and ends the program with a failure code.
[[noreturn]] void fw_stop_with_error(std::string_view text);
