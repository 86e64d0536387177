// Applying window configurations to child windows.
#include "framework/window_config.h"

#include "framework/graphics_status.h"
#include "framework/thread_record.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>

namespace {

std::atomic<int32_t> g_screen_width{1024};
std::atomic<int32_t> g_screen_height{768};

// Serialises configurations, so that two threads do not both configure a new window.
std::mutex g_config_mutex;

// A size or count: -1 (or any other value below 1, which validation would have refused) takes
// the default without counting as an adjustment, unless it was not -1.
int32_t resolve_field(int16_t& field, int32_t default_value, int32_t maximum, bool& adjusted) {
    int32_t value = field;
    if (value <= 0) {
        adjusted = adjusted || value != -1;
        value = default_value;
    }
    if (value > maximum) {
        adjusted = true;
        value = maximum;
    }
    field = static_cast<int16_t>(value);
    return value;
}

int32_t apply_locked(gw_window_config& config, gw_child_window& window) {
    if (window.slot_state() != WindowSlotState::open) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    bool adjusted = false;
    const int32_t colors = resolve_field(config.colors, framework::DISPLAY_COLORS,
                                         framework::DISPLAY_COLORS, adjusted);
    const int32_t width =
        resolve_field(config.surface_width, framework::screen_width(), INT16_MAX, adjusted);
    const int32_t height =
        resolve_field(config.surface_height, framework::screen_height(), INT16_MAX, adjusted);
    config.bits_per_pixel = framework::DISPLAY_BITS_PER_PIXEL;
    config.returned_zero = 0;
    config.returned_minus_one = -1;
    if (adjusted)
        return 0;

    if (!window.surface.rebuild(width, height, framework::Palette::for_window(colors))) {
        framework::set_graphics_status(GW_STATUS_OUT_OF_MEMORY);
        return 0;
    }
    {
        framework::SurfaceAccess access(window.surface);
        window.colors = colors;
    }
    const std::string title(config.title, strnlen(config.title, sizeof config.title));
    if (!title.empty())
        framework::rename_window(window, title);
    window.configured.store(1, std::memory_order_release);
    return 1;
}

// The window system is told outside the configuration lock: it may hand work to the GUI thread,
// whose callbacks may need a configuration of their own.
void tell_window_system(int32_t result, gw_child_window& window) {
    const auto& configured = framework::window_system_hooks().configured;
    if (result == 1 && configured)
        configured(window);
}

bool valid_size(int16_t value) {
    return value != 0 && value >= -1;
}

bool validate(gw_window_config& config) {
    bool valid = true;
    for (int16_t* field : {&config.surface_width, &config.surface_height, &config.text_columns,
                           &config.text_rows, &config.colors}) {
        if (!valid_size(*field)) {
            *field = -1;
            valid = false;
        }
    }
    if (config.font_cell == 0 || config.font_cell < GW_EXTENDED_FONT_CELL) {
        config.font_cell = GW_DEFAULT_FONT_CELL;
        valid = false;
    }
    if (config.font_cell == GW_EXTENDED_FONT_CELL) {
        if (config.font_style != GW_FONT_STYLE_NORMAL && (config.font_style & 7) == 0) {
            config.font_style = GW_FONT_STYLE_NORMAL;
            valid = false;
        }
        if (config.font_cell_extended == 0) {
            config.font_cell_extended = GW_DEFAULT_FONT_CELL;
            valid = false;
        }
    }
    return valid;
}

} // namespace

int32_t gw_apply_window_config(gw_window_config& config, gw_child_window& window) {
    int32_t result = 0;
    {
        std::lock_guard lock(g_config_mutex);
        result = apply_locked(config, window);
    }
    tell_window_system(result, window);
    return result;
}

int32_t gw_set_window_config(gw_window_config& config) {
    framework::set_graphics_status(GW_STATUS_OK);
    gw_child_window* window = framework::window_record(framework::thread_active_window());
    if (!window || window->slot_state() != WindowSlotState::open) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    if (!validate(config))
        return 0;
    return gw_apply_window_config(config, *window);
}

int32_t gw_get_window_config(gw_window_config& config) {
    gw_child_window* window = gw_get_active_window();
    if (!window)
        return 0;
    int32_t width = 0;
    int32_t height = 0;
    {
        framework::SurfaceAccess access(window->surface);
        width = access.bitmap().width();
        height = access.bitmap().height();
        config.colors = static_cast<int16_t>(window->colors);
    }
    config.surface_width = static_cast<int16_t>(width);
    config.surface_height = static_cast<int16_t>(height);
    config.text_columns = static_cast<int16_t>(width / GW_DEFAULT_CELL_WIDTH);
    config.text_rows = static_cast<int16_t>(height / GW_DEFAULT_CELL_HEIGHT);
    config.font_cell = GW_DEFAULT_CELL_WIDTH << 16 | GW_DEFAULT_CELL_HEIGHT;
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

namespace framework {

void set_screen_size(int32_t width, int32_t height) {
    g_screen_width.store(width);
    g_screen_height.store(height);
}

int32_t screen_width() {
    return g_screen_width.load();
}
int32_t screen_height() {
    return g_screen_height.load();
}

bool ensure_configured(gw_child_window& window) {
    int32_t result = 0;
    {
        std::lock_guard lock(g_config_mutex);
        if (window.configured.load(std::memory_order_acquire) != 0)
            return true;
        gw_window_config config;
        result = apply_locked(config, window);
        if (result != 1)
            result = apply_locked(config, window);
    }
    tell_window_system(result, window);
    return result == 1;
}

} // namespace framework
