// Applying window configurations to child windows.
#include "framework/windows/window_config.h"

#include "framework/surface/call_status.h"
#include "framework/windows/text_grid_font.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

namespace {

std::atomic<int32_t> g_screen_width{1024};
std::atomic<int32_t> g_screen_height{768};

// Serialises configurations, so that two threads do not both configure a new window.
std::mutex g_config_mutex;

// The number of colours: -1 (or any other value below 1, which validation would have refused)
// takes the default without counting as an adjustment, unless it was not -1.
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

// The face and style of the text font: the extended fields when the record asks for them.
struct FontRequest {
    std::string face; // CP1251; empty for the default face
    int32_t cell = GW_DEFAULT_FONT_CELL;
    int32_t style = 0;
};

FontRequest font_request(const gw_window_config& config) {
    if (config.font_cell != GW_EXTENDED_FONT_CELL)
        return {{}, config.font_cell, 0};
    return {std::string(config.font_face, strnlen(config.font_face, sizeof config.font_face)),
            config.font_cell_extended, config.font_style};
}

void store_cell(gw_window_config& config, int32_t cell_width, int32_t cell_height) {
    int32_t& field =
        config.font_cell == GW_EXTENDED_FONT_CELL ? config.font_cell_extended : config.font_cell;
    field = framework::cell_size(cell_width, cell_height);
}

framework::MissingTextFontReport& missing_font_report() {
    static framework::MissingTextFontReport report;
    return report;
}

int32_t apply_locked(gw_window_config& config, gw_child_window& window) {
    if (window.slot_state() != WindowSlotState::open) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    bool adjusted = false;
    const int32_t colors = resolve_field(config.colors, framework::DISPLAY_COLORS,
                                         framework::DISPLAY_COLORS, adjusted);

    const FontRequest request = font_request(config);
    const int32_t asked_width = framework::cell_width_of(request.cell);
    const int32_t asked_height = framework::cell_height_of(request.cell);
    framework::GridAxis across{config.surface_width, config.text_columns, asked_width};
    framework::GridAxis down{config.surface_height, config.text_rows, asked_height};
    adjusted = framework::settle_axis(across, GW_DEFAULT_CELL_WIDTH, framework::screen_width()) ||
               adjusted;
    adjusted = framework::settle_axis(down, GW_DEFAULT_CELL_HEIGHT, framework::screen_height()) ||
               adjusted;

    std::shared_ptr<const fonts::Font> text_font;
    if (const std::optional<framework::TextFont> made =
            framework::create_text_font(request.face, asked_width == 0 ? 0 : across.cell,
                                        asked_height == 0 ? 0 : down.cell, request.style)) {
        text_font = made->font;
        if (made->adjusted) {
            // The font's own size becomes the cell, and the counts follow it.
            across.cell = std::max(made->cell_width, 1);
            down.cell = std::max(made->cell_height, 1);
            across.count = across.pixels / across.cell;
            down.count = down.pixels / down.cell;
            store_cell(config, across.cell, down.cell);
            adjusted = true;
        }
    } else if (const framework::MissingTextFontReport& report = missing_font_report()) {
        // Without any font the grid keeps the cell asked for and the window works without a
        // text font.
        report(request.face);
    }

    config.surface_width = static_cast<int16_t>(across.pixels);
    config.surface_height = static_cast<int16_t>(down.pixels);
    config.text_columns = static_cast<int16_t>(across.count);
    config.text_rows = static_cast<int16_t>(down.count);
    config.bits_per_pixel = framework::DISPLAY_BITS_PER_PIXEL;
    config.returned_zero = 0;
    config.returned_minus_one = -1;
    if (adjusted)
        return 0;

    if (!window.surface.rebuild(across.pixels, down.pixels,
                                framework::Palette::for_window(colors))) {
        framework::set_graphics_status(GW_STATUS_OUT_OF_MEMORY);
        return 0;
    }
    {
        framework::SurfaceAccess access(window.surface);
        window.colors = colors;
        window.text_grid = {across.cell, down.cell, across.count, down.count, text_font};
        framework::reset_text_window(window.text_window, down.count, across.count);
        // Told under the surface lock, so that text written right after the configuration shows
        // its caret after this hides it.
        if (const auto& caret_changed = framework::window_system_hooks().caret_changed)
            caret_changed(window.number, window.text_window.caret);
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

bool validate_fields(gw_window_config& config) {
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

bool validate_window_config(gw_window_config& config) {
    return validate_fields(config);
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

void set_missing_text_font_report(MissingTextFontReport report) {
    missing_font_report() = std::move(report);
}

} // namespace framework
