// The wrappers around the window framework's calls.
#include "app/framework_calls.h"

#include "framework/windows/child_window.h"
#include "framework/program/frame.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/text/gw_text.h"
#include "framework/program/menus.h"
#include "framework/program/mouse.h"
#include "framework/surface/surface.h"
#include "framework/program/window_system.h"
#include "runtime/cp1251.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "runtime/window_units.h"

#include <optional>
#include <string>

namespace {

gw_child_window* unit_window(int32_t unit) {
    const std::optional<int32_t> number = rt_unit_window(unit);
    return number ? gw_find_window(*number) : nullptr;
}

} // namespace

void fw_place_frame(int16_t state, int16_t x, int16_t y, int16_t height, int16_t width) {
    gw_set_window_state(GW_FRAME_WINDOW_NUMBER, {state, x, y, height, width});
}

void fw_append_menu_item(int32_t menu, int32_t flags, std::string_view label,
                         AppMenuCallback callback) {
    gw_append_menu_item(menu, flags, std::string(label).c_str(), callback);
}

void fw_append_about_menu_item(int32_t menu, int32_t flags, std::string_view label) {
    gw_append_menu_item(menu, flags, std::string(label).c_str(), gw_menu_about);
}

void fw_set_about_text(std::string_view text_cp1251) {
    gw_set_about_text(cp1251_to_utf8(text_cp1251).c_str());
}

void fw_open_unit_window(int32_t unit, std::string_view title) {
    gw_open_unit_window(unit, std::string(title).c_str());
}

int32_t fw_set_window_config(int32_t unit, gw_window_config& config) {
    gw_child_window* window = unit_window(unit);
    return window ? gw_apply_window_config(config, *window) : 0;
}

SurfaceSize fw_surface_size(int32_t unit) {
    gw_child_window* window = unit_window(unit);
    if (!window)
        return {};
    framework::SurfaceAccess access(window->surface);
    return {static_cast<int16_t>(access.bitmap().width()),
            static_cast<int16_t>(access.bitmap().height())};
}

void fw_init_fonts() {
    gw_init_fonts();
}

void fw_register_mouse_callback(int32_t unit, int32_t event_mask, AppMouseCallback callback) {
    gw_register_mouse_callback(unit, event_mask, callback);
}

void fw_menu_command(int32_t command) {
    gw_menu_command(command);
}

void fw_close_unit(int32_t unit) {
    rt_close(unit, RtOnError::report);
}

void fw_stop_with_error(std::string_view text) {
    // The framework's fatal-error hook shows the box; without it the text goes to standard error.
    rt_fatal_error(text);
}
