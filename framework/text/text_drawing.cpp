// Drawing and measuring graphic text: gw_draw_text, gw_get_text_extent, gw_get_font_info.
#include "framework/graphics/active_surface.h"
#include "framework/text/drawn_text_trace.h"
#include "framework/text/gw_text.h"
#include "framework/text/process_font_state.h"
#include "runtime/cp1251.h"
#include "runtime/trace.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
#include <string>

namespace {

std::atomic<bool> g_trace_texts{false};

// Where a text was drawn: from (x, y), `width` pixels across a surface `surface_width` wide.
struct DrawnPlace {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t surface_width = 0;
};

// The text as drawn, without its trailing blanks, and its place.
void trace_text(const char* text, int32_t length, const DrawnPlace& place) {
    std::string utf8 = cp1251_to_utf8(std::string_view(text, static_cast<size_t>(length)));
    utf8.erase(utf8.find_last_not_of(' ') + 1);
    rt_trace_event("text", {{"x", place.x},
                            {"y", place.y},
                            {"width", place.width},
                            {"W", place.surface_width},
                            {"text", utf8}});
}

// The Unicode characters CP1251 bytes stand for, every byte kept (trailing blanks too).
std::u32string unicode_text(const char* text, int32_t length) {
    if (!text || length <= 0)
        return {};
    const std::string utf8 = cp1251_to_utf8(std::string_view(text, static_cast<size_t>(length)));
    std::u32string result;
    result.reserve(static_cast<size_t>(length));
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t ch = size == 1 ? lead : lead & (0x7F >> size);
        for (size_t k = 1; k < size && i + k < utf8.size(); ++k)
            ch = ch << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        result.push_back(ch);
        i += size;
    }
    return result;
}

int16_t clamp16(int32_t value) {
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

} // namespace

// Draws straight into the surface bitmap, cut to the clip rectangle. The clip status compares
// the upright extent with the right and bottom edges only. The trace hears of the text after the
// surface is let go: a trace listener must not run under the surface's lock.
void gw_draw_text(const char* text, int32_t length) {
    const std::u32string characters = unicode_text(text, length);
    std::optional<DrawnPlace> place;
    {
        framework::ActiveSurface surface;
        if (!surface)
            return;
        const std::shared_ptr<const fonts::Font> font = surface.window().font.font;
        if (!font) {
            framework::set_graphics_status(GW_STATUS_NOTHING_DRAWN);
            return;
        }
        framework::GraphicsState& state = surface->state();
        const raster::ColorRef color = surface->palette().resolve(state.graphics_color);
        const fonts::DrawnText drawn = font->draw(surface->bitmap(), state.clip_rect.as_rect(),
                                                  state.position, color, characters);
        const int32_t height = font->metrics().height;
        if (state.position.x + drawn.width > state.clip_rect.x2 ||
            state.position.y + height > state.clip_rect.y2)
            framework::set_graphics_status(GW_STATUS_PARTLY_CLIPPED);
        if (g_trace_texts.load(std::memory_order_relaxed) && length > 0)
            place = DrawnPlace{state.position.x, state.position.y, drawn.width,
                               surface->bitmap().width()};
        state.position.x = static_cast<int16_t>(state.position.x + drawn.width);
        surface->mark_changed(drawn.painted);
    }
    if (place)
        trace_text(text, length, *place);
}

namespace framework {

void trace_drawn_texts(bool on) {
    g_trace_texts.store(on, std::memory_order_relaxed);
}

} // namespace framework

int16_t gw_get_text_extent(const char* text, int32_t length) {
    gw_child_window* window = gw_get_active_window();
    if (!window)
        return -1;
    const std::shared_ptr<const fonts::Font> font = framework::current_font(*window);
    if (!font) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return -1;
    }
    return clamp16(font->measure(unicode_text(text, length)).width);
}

// A font made at the platform's size (height or width 0) reports the measured height, and the
// measured average width for a fixed-pitch font (0 for a proportional one).
int32_t gw_get_font_info(gw_font_info* info) {
    gw_child_window* window = gw_get_active_window();
    if (!window || !info)
        return -1;
    gw_window_font current;
    {
        framework::SurfaceAccess access(window->surface);
        current = window->font;
    }
    if (!current.font) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return -1;
    }
    const fonts::TextMetrics& metrics = current.font->metrics();
    const bool fixed_pitch =
        (current.font->logical().pitch_and_family & fonts::PITCH_MASK) == fonts::FIXED_PITCH;
    *info = gw_font_info{};
    info->kind = (current.font_type & fonts::RASTER_FONTTYPE) ? 0 : 1;
    info->ascent = current.font_ascent;
    info->cell_width = current.font_cell_width;
    info->cell_height = current.font_height != 0 ? current.font_height : metrics.height;
    info->average_width = current.font_width != 0 ? current.font_width
                          : fixed_pitch           ? metrics.average_char_width
                                                  : 0;
    const std::string face = utf8_to_cp1251(std::string(
        current.font_face.data(), strnlen(current.font_face.data(), current.font_face.size())));
    std::memcpy(info->face, face.data(), std::min(face.size(), sizeof info->face - 1));
    info->italic = current.font_italic ? 1 : 0;
    info->bold = current.font_bold ? 1 : 0;
    info->underline = current.font_underline ? 1 : 0;
    return 0;
}
