// The gw_ routines of the drawing attributes: colours, line style, write mode and fill mask.
#include "framework/graphics/active_surface.h"
#include "framework/surface/drawing_attributes.h"
#include "framework/graphics/gw_graphics.h"

#include <algorithm>

namespace {

using framework::ActiveSurface;
using framework::TaggedColor;

// Sets one of the three colours to an RGB value; the previous colour is returned as RGB.
int32_t replace_color(TaggedColor framework::GraphicsState::*field, int32_t rgb) {
    ActiveSurface surface;
    if (!surface)
        return -1;
    TaggedColor& color = surface->state().*field;
    const TaggedColor previous = color;
    color = framework::tagged_rgb(static_cast<uint32_t>(rgb));
    return static_cast<int32_t>(framework::reported_rgb(previous));
}

int32_t read_color(TaggedColor framework::GraphicsState::*field) {
    ActiveSurface surface;
    if (!surface)
        return -1;
    return static_cast<int32_t>(framework::reported_rgb(surface->state().*field));
}

} // namespace

int32_t gw_set_color_rgb(int32_t rgb) {
    return replace_color(&framework::GraphicsState::graphics_color, rgb);
}

int32_t gw_set_background_rgb(int32_t rgb) {
    return replace_color(&framework::GraphicsState::background_color, rgb);
}

int32_t gw_set_text_color_rgb(int32_t rgb) {
    return replace_color(&framework::GraphicsState::text_color, rgb);
}

int32_t gw_get_color() {
    return read_color(&framework::GraphicsState::graphics_color);
}
int32_t gw_get_text_color() {
    return read_color(&framework::GraphicsState::text_color);
}
int32_t gw_get_background_color() {
    return read_color(&framework::GraphicsState::background_color);
}

int32_t gw_rgb_pack(int32_t red, int32_t green, int32_t blue) {
    return (blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF);
}

void gw_rgb_unpack(int32_t rgb, int32_t* red, int32_t* green, int32_t* blue) {
    if (red)
        *red = rgb & 0xFF;
    if (green)
        *green = rgb >> 8 & 0xFF;
    if (blue)
        *blue = rgb >> 16 & 0xFF;
}

void gw_set_line_style(int32_t mask) {
    ActiveSurface surface;
    if (!surface)
        return;
    framework::GraphicsState& state = surface->state();
    state.line_style = static_cast<int16_t>(mask);
    state.pen_style = framework::pen_style_for_line_style(state.line_style);
}

int16_t gw_get_line_style() {
    ActiveSurface surface;
    return surface ? surface->state().line_style : int16_t{0};
}

int32_t gw_set_write_mode(int32_t mode) {
    ActiveSurface surface;
    if (!surface)
        return -1;
    if (mode < 0 || mode > 4) {
        framework::set_graphics_status(GW_STATUS_OUT_OF_RANGE);
        return -1;
    }
    framework::WriteMode& write_mode = surface->state().write_mode;
    const auto previous = static_cast<int32_t>(write_mode);
    write_mode = static_cast<framework::WriteMode>(mode);
    return previous;
}

int32_t gw_get_write_mode() {
    ActiveSurface surface;
    return surface ? static_cast<int32_t>(surface->state().write_mode) : -1;
}

void gw_set_fill_mask(const uint8_t* mask) {
    ActiveSurface surface;
    if (!surface)
        return;
    std::optional<framework::FillMask>& fill_mask = surface->state().fill_mask;
    if (!mask) {
        fill_mask.reset();
        return;
    }
    fill_mask.emplace();
    std::copy_n(mask, fill_mask->size(), fill_mask->begin());
}

int16_t gw_get_fill_mask(uint8_t* mask) {
    ActiveSurface surface;
    if (!surface)
        return 0;
    const std::optional<framework::FillMask>& fill_mask = surface->state().fill_mask;
    if (!fill_mask || !mask) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    std::copy(fill_mask->begin(), fill_mask->end(), mask);
    return 1;
}
