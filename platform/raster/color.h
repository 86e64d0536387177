// Colour values at the raster engine's boundary and in its bitmaps.
#pragma once

#include <cstdint>

namespace raster {

// A colour as the drawing calls take it: 0x00BBGGRR, red in the low byte.
using ColorRef = uint32_t;

// A stored pixel: 0xFFRRGGBB, the layout of a 32-bit RGB image. The top byte is always 0xFF,
// whatever raster operation produced the pixel, so that a bitmap can be shown as it is.
using Pixel = uint32_t;

constexpr Pixel OPAQUE_BITS = 0xFF000000u;

constexpr ColorRef rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return ColorRef{red} | ColorRef{green} << 8 | ColorRef{blue} << 16;
}

constexpr Pixel pixel_from_colorref(ColorRef color) {
    return OPAQUE_BITS | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

constexpr ColorRef colorref_from_pixel(Pixel pixel) {
    return (pixel >> 16 & 0xFFu) | (pixel & 0xFF00u) | (pixel & 0xFFu) << 16;
}

} // namespace raster
