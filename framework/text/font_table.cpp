// The font table: gw_init_fonts, gw_select_font, gw_release_font and creating table fonts.
#include "framework/text/font_table.h"

#include "framework/surface/call_status.h"
#include "framework/text/gw_text.h"
#include "framework/text/process_font_state.h"
#include "framework/windows/process_font_library.h"
#include "framework/windows/thread_record.h"
#include "framework/windows/window_calls.h"
#include "runtime/cp1251.h"

#include <algorithm>
#include <string>

namespace framework {

namespace {

int16_t clamp16(size_t value) {
    return static_cast<int16_t>(std::min<size_t>(value, INT16_MAX));
}

std::string copy_text(const char* text, int32_t length) {
    if (!text || length <= 0)
        return {};
    return std::string(text, static_cast<size_t>(length));
}

// Builds the table; false (status -1, fonts not initialised) when the enumeration fails.
bool build_table(FontState& state) {
    state.initialised = true;
    state.table.clear();
    state.default_index = -1;
    fonts::FontLibrary* fonts = process_font_library();
    std::optional<std::vector<fonts::EnumeratedFont>> enumerated;
    if (fonts)
        enumerated = fonts->enumerate();
    if (!enumerated) {
        set_graphics_status(GW_STATUS_FAILED);
        state.initialised = false;
        return false;
    }
    state.table = std::move(*enumerated);
    for (size_t i = 0; i < state.table.size(); ++i)
        if (state.table[i].type != fonts::RASTER_FONTTYPE)
            state.default_index = static_cast<int32_t>(i);
    return true;
}

void forget_font(gw_child_window& window) {
    SurfaceAccess access(window.surface);
    window.font = gw_window_font{};
}

} // namespace

FontState& font_state() {
    static FontState state;
    // Every window font is made under this state, so a window destroyed before it existed has
    // no font to let go of.
    static const bool registered = (set_window_font_release(release_window_font), true);
    (void)registered;
    return state;
}

std::shared_ptr<const fonts::Font> current_font(gw_child_window& window) {
    SurfaceAccess access(window.surface);
    return window.font.font;
}

// Built from the entry's enumerated description: a requested size replaces its height and
// width (0 where not given), the orientation and the style flags are applied, and the entry
// itself stays as enumerated.
int16_t create_entry_font(FontState& state, gw_child_window& window, const FontChoice& choice) {
    fonts::FontLibrary* fonts = process_font_library();
    const fonts::EnumeratedFont& entry = state.table.at(static_cast<size_t>(choice.index));
    fonts::LogicalFont logical = entry.logical;
    if (choice.size == FontSize::requested) {
        logical.height = choice.height;
        logical.width = choice.width;
    }
    logical.escapement = state.orientation;
    logical.orientation = state.orientation;
    if (state.italic)
        logical.italic = 1;
    if (state.underline)
        logical.underline = 1;
    if (state.bold)
        logical.weight = fonts::FW_BOLD;
    std::shared_ptr<const fonts::Font> font = fonts ? fonts->create(logical) : nullptr;
    if (!font) {
        set_graphics_status(GW_STATUS_FAILED);
        return -1;
    }
    const bool fixed_pitch = (logical.pitch_and_family & fonts::PITCH_MASK) == fonts::FIXED_PITCH;
    SurfaceAccess access(window.surface);
    gw_window_font& current = window.font;
    current.font = std::move(font);
    current.font_index = choice.index;
    current.font_type = entry.type;
    // The created font's ascent, not the enumerated entry's: an entry is enumerated at its own
    // size, and a font made at another size has another ascent.
    current.font_ascent = current.font->metrics().ascent;
    current.font_cell_width = fixed_pitch ? logical.width : 0;
    current.font_height = logical.height;
    current.font_width = logical.width;
    current.font_face = logical.face;
    current.font_italic = logical.italic != 0;
    current.font_bold = logical.weight >= fonts::FW_BOLD;
    current.font_underline = logical.underline != 0;
    return static_cast<int16_t>(choice.index + 1);
}

void set_font_source(fonts::FontSource source) {
    FontState& state = font_state();
    std::lock_guard lock(state.mutex);
    if (state.built)
        return;
    set_font_library_source(std::move(source));
}

std::vector<fonts::EnumeratedFont> font_table_entries() {
    FontState& state = font_state();
    std::lock_guard lock(state.mutex);
    return state.table;
}

int32_t default_font_index() {
    FontState& state = font_state();
    std::lock_guard lock(state.mutex);
    return state.default_index;
}

void release_window_font(gw_child_window& window) {
    FontState& state = font_state();
    std::lock_guard lock(state.mutex);
    forget_font(window);
}

} // namespace framework

using framework::FontState;

int16_t gw_init_fonts() {
    FontState& state = framework::font_state();
    std::lock_guard lock(state.mutex);
    gw_child_window* window = gw_get_active_window();
    if (!window)
        return -1;
    if (state.built) {
        framework::forget_font(*window);
        const auto last = static_cast<int32_t>(state.table.size()) - 1;
        if (framework::create_entry_font(state, *window, {last}) < 0)
            return 0;
        return framework::clamp16(state.table.size());
    }
    if (!framework::build_table(state) || state.table.empty())
        return 0;
    const int32_t index = state.default_index >= 0 ? state.default_index
                                                   : static_cast<int32_t>(state.table.size()) - 1;
    if (framework::create_entry_font(state, *window, {index}) < 0)
        return 0;
    state.built = true;
    return framework::clamp16(state.table.size());
}

int16_t gw_init_fonts_named(const char* name, int32_t length) {
    if (length < 0 || (!name && length > 0))
        return -1;
    const std::string copied = framework::copy_text(name, length);
    static_cast<void>(copied);
    return gw_init_fonts();
}

int16_t gw_select_font(const char* spec, int32_t length) {
    FontState& state = framework::font_state();
    std::lock_guard lock(state.mutex);
    gw_child_window* window = gw_get_active_window();
    if (!window)
        return -1;
    framework::FontSpecParse parsed =
        framework::parse_font_spec(framework::copy_text(spec, length));
    if (parsed.failed()) {
        framework::set_graphics_status(parsed.status);
        return -1;
    }
    framework::set_graphics_status(parsed.status);
    int32_t current_index = -1;
    {
        framework::SurfaceAccess access(window->surface);
        if (!window->font.font || !state.built) {
            framework::set_graphics_status(GW_STATUS_FAILED);
            return -1;
        }
        current_index = window->font.font_index;
    }
    framework::FontSpec& request = parsed.spec;
    state.italic = !request.has_number && request.italic;
    state.underline = !request.has_number && request.underline;
    state.bold = !request.has_number && request.bold;
    request.face = cp1251_to_utf8(request.face);
    const std::optional<framework::FontChoice> choice =
        framework::choose_font(state.table, request, current_index);
    if (!choice) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return -1;
    }
    return framework::create_entry_font(state, *window, *choice);
}

void gw_release_font() {
    FontState& state = framework::font_state();
    std::lock_guard lock(state.mutex);
    if (gw_child_window* window = gw_get_active_window())
        framework::forget_font(*window);
}
