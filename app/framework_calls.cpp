// The wrappers around the window framework's calls; "not wired" ones return at once.
#include "app/framework_calls.h"

#include "framework/child_window.h"
#include "framework/gw_graphics.h"
#include "framework/surface.h"
#include "runtime/stop.h"
#include "runtime/trace.h"
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

void fw_place_frame(int16_t /*state*/, int16_t /*x*/, int16_t /*y*/, int16_t /*height*/,
                    int16_t /*width*/) {
    // Not wired: gw_set_window_state(frame, {state, x, y, height, width}).
}

void fw_append_menu_item(int32_t /*menu*/, int32_t /*flags*/, std::string_view /*label*/,
                         AppMenuCallback /*callback*/) {
    // Not wired: gw_append_menu_item.
}

void fw_append_about_menu_item(int32_t /*menu*/, int32_t /*flags*/, std::string_view /*label*/) {
    // Not wired: gw_append_menu_item with the predefined About routine.
}

void fw_set_about_text(std::string_view /*text_cp1251*/) {
    // Not wired: gw_set_about_text.
}

void fw_open_unit_window(int32_t unit, std::string_view title) {
    // To be replaced by the framework's own opening of a unit as a window, which also puts the
    // window on screen; this opens the window record and connects the unit to it.
    const std::string title_text(title);
    const int32_t number = gw_open_child_window(title_text.c_str());
    if (number < 0)
        return;
    rt_connect_unit_to_window(unit, number);
    gw_set_active_window(unit);
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
    rt_trace_event("not-built", {{"what", "fonts"}});
}

void fw_register_mouse_callback(int32_t /*unit*/, int32_t /*event_mask*/,
                                AppMouseCallback /*callback*/) {
    // Not wired: gw_register_mouse_callback.
}

void fw_menu_command(int32_t /*command*/) {
    // Not wired: gw_menu_command.
}

void fw_close_unit(int32_t unit) {
    rt_close(unit, RtOnError::report);
}

void fw_stop_with_error(std::string_view text) {
    // The framework's fatal-error hook shows the box; without it the text goes to standard error.
    rt_fatal_error(text);
}
