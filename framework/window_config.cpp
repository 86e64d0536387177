// Applying window configurations to child windows.
#include "framework/window_config.h"

#include "framework/graphics_status.h"

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

} // namespace

int32_t gw_apply_window_config(gw_window_config& config, gw_child_window& window) {
    std::lock_guard lock(g_config_mutex);
    return apply_locked(config, window);
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
    std::lock_guard lock(g_config_mutex);
    if (window.configured.load(std::memory_order_acquire) != 0)
        return true;
    gw_window_config config;
    return apply_locked(config, window) == 1 || apply_locked(config, window) == 1;
}

} // namespace framework
