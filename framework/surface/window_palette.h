// Colour model of a child window: tagged colours, the default palette and a window's palette.
#pragma once

#include "platform/raster/color.h"

#include <array>
#include <cstdint>

namespace framework {

// A tagged colour: bit 31 set means bits 0..23 hold an RGB colour 0x00BBGGRR; bit 31 clear means
// bits 0..15 hold a palette index.
using TaggedColor = uint32_t;

constexpr TaggedColor RGB_TAG = 0x80000000u;

constexpr TaggedColor tagged_rgb(uint32_t rgb) {
    return (rgb & 0xFFFFFFu) | RGB_TAG;
}
constexpr TaggedColor tagged_index(uint32_t index) {
    return index & 0xFFFFu;
}
constexpr bool is_rgb(TaggedColor color) {
    return (color & RGB_TAG) != 0;
}

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    // PALETTE_NO_COLLAPSE keeps the entry from being matched to an existing system colour.
    uint8_t flags = 0;

    constexpr raster::ColorRef color() const { return raster::rgb(red, green, blue); }
};

constexpr uint8_t PALETTE_NO_COLLAPSE = 0x04;
constexpr int32_t PALETTE_MAX_COLORS = 256;

// The framework's 256-entry default palette: the sixteen classic colours, then dark grey.
const std::array<PaletteEntry, PALETTE_MAX_COLORS>& default_palette();

// The colour of default palette entry `index` as 0x00BBGGRR (entry 0 for an index past the end).
raster::ColorRef default_palette_color(uint32_t index);

// A window's logical palette: the first `size` entries are in use.
struct Palette {
    std::array<PaletteEntry, PALETTE_MAX_COLORS> entries{};
    int32_t size = 0;

    // The first `colors` entries of the default palette, or black and white for two colours.
    // `colors` is clamped to 1..256.
    static Palette for_window(int32_t colors);

    // The colour of entry `index`; an index past the palette resolves to entry 0, as the
    // platform resolves an out-of-range palette index.
    raster::ColorRef entry_color(uint32_t index) const;

    // A tagged colour as the raster engine draws it. On a true-colour surface an RGB colour
    // is drawn exactly.
    raster::ColorRef resolve(TaggedColor color) const {
        return is_rgb(color) ? (color & 0xFFFFFFu) : entry_color(color & 0xFFFFu);
    }
};

// A tagged colour as the gw_ routines report it: RGB as it is, a palette index converted
// through the default palette.
inline uint32_t reported_rgb(TaggedColor color) {
    return is_rgb(color) ? (color & 0xFFFFFFu) : default_palette_color(color & 0xFFFFu);
}

} // namespace framework
