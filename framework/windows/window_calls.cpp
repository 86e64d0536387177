// The window calls above the calling threads' active windows: closing, and configuring.
#include "framework/windows/window_calls.h"

#include "framework/surface/call_status.h"
#include "framework/windows/thread_record.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

namespace {

std::atomic<framework::WindowFontRelease> g_font_release{nullptr};

} // namespace

namespace framework {

void set_window_font_release(WindowFontRelease release) {
    g_font_release.store(release);
}

} // namespace framework

// The slot is marked closed first, then the window is taken off the screen and its font and
// text grid are forgotten before the slot is free, so that a new window never meets them.
int32_t gw_close_child_window(int32_t window_number, int32_t keep) {
    gw_child_window* window = framework::window_record(window_number);
    const framework::CloseMode mode =
        keep ? framework::CloseMode::keep : framework::CloseMode::destroy;
    if (!window || !framework::mark_window_closed(*window, mode))
        return -1;
    const framework::WindowSystemHooks& screen = framework::window_system_hooks();
    if (mode == framework::CloseMode::destroy) {
        window->surface.release();
        if (screen.close)
            screen.close(*window, mode);
        if (const framework::WindowFontRelease release_font = g_font_release.load())
            release_font(*window);
        framework::empty_window_slot(*window);
    }
    if (mode == framework::CloseMode::keep && screen.close)
        screen.close(*window, mode);
    if (framework::thread_active_window() == window_number)
        framework::set_thread_active_window(gw_default_window());
    else if (mode == framework::CloseMode::destroy && framework::is_default_window(window_number))
        gw_default_window();
    return 0;
}

int32_t gw_set_window_config(gw_window_config& config) {
    framework::set_graphics_status(GW_STATUS_OK);
    gw_child_window* window = framework::window_record(framework::thread_active_window());
    if (!window || window->slot_state() != WindowSlotState::open) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    if (!framework::validate_window_config(config))
        return 0;
    return gw_apply_window_config(config, *window);
}

int32_t gw_get_window_config(gw_window_config& config) {
    gw_child_window* window = gw_get_active_window();
    if (!window)
        return 0;
    {
        framework::SurfaceAccess access(window->surface);
        const framework::TextGrid& grid = window->text_grid;
        config.surface_width = static_cast<int16_t>(access.bitmap().width());
        config.surface_height = static_cast<int16_t>(access.bitmap().height());
        config.colors = static_cast<int16_t>(window->colors);
        config.text_columns = static_cast<int16_t>(grid.columns);
        config.text_rows = static_cast<int16_t>(grid.rows);
        config.font_cell = framework::cell_size(grid.cell_width, grid.cell_height);
    }
    const std::string title = gw_window_title(window->number);
    const size_t length = std::min(title.size(), sizeof config.title - 1);
    std::memcpy(config.title, title.data(), length);
    config.title[length] = '\0';
    config.bits_per_pixel = framework::DISPLAY_BITS_PER_PIXEL;
    config.returned_zero = 0;
    config.returned_minus_one = -1;
    std::fill(std::begin(config.returned_zeros), std::end(config.returned_zeros), int16_t{0});
    return 1;
}
