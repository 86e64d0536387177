// The default palette and the building of a window's palette.
#include "framework/surface/window_palette.h"

#include <algorithm>

namespace framework {

namespace {

constexpr std::array<PaletteEntry, PALETTE_MAX_COLORS> make_default_palette() {
    constexpr uint8_t NC = PALETTE_NO_COLLAPSE;
    std::array<PaletteEntry, PALETTE_MAX_COLORS> palette{};
    const std::array<PaletteEntry, 16> classic{{
        {0x00, 0x00, 0x00, NC},
        {0x00, 0x00, 0x80, NC},
        {0x00, 0x80, 0x00, NC},
        {0x00, 0x80, 0x80, NC},
        {0x80, 0x00, 0x00, NC},
        {0x80, 0x00, 0x80, NC},
        {0x80, 0x80, 0x00, NC},
        {0xC0, 0xC0, 0xC0, NC},
        {0x80, 0x80, 0x80, NC},
        {0x00, 0x00, 0xFF, NC},
        {0x00, 0xFF, 0x00, NC},
        {0x00, 0xFF, 0xFF, NC},
        {0xFF, 0x00, 0x00, NC},
        {0xFF, 0x00, 0xFF, NC},
        {0xFF, 0xFF, 0x00, NC},
        {0xFF, 0xFF, 0xFF, NC},
    }};
    for (size_t i = 0; i < classic.size(); ++i)
        palette[i] = classic[i];
    // Entries 16..255 are dark grey; only entry 16 keeps the no-collapse flag.
    for (size_t i = classic.size(); i < palette.size(); ++i)
        palette[i] = {0x40, 0x40, 0x40, i == 16 ? NC : uint8_t{0}};
    return palette;
}

constexpr std::array<PaletteEntry, PALETTE_MAX_COLORS> DEFAULT_PALETTE = make_default_palette();

} // namespace

const std::array<PaletteEntry, PALETTE_MAX_COLORS>& default_palette() {
    return DEFAULT_PALETTE;
}

raster::ColorRef default_palette_color(uint32_t index) {
    return index < DEFAULT_PALETTE.size() ? DEFAULT_PALETTE[index].color()
                                          : DEFAULT_PALETTE[0].color();
}

Palette Palette::for_window(int32_t colors) {
    Palette palette;
    palette.size = std::clamp(colors, 1, PALETTE_MAX_COLORS);
    if (palette.size == 2) {
        palette.entries[0] = {0x00, 0x00, 0x00, PALETTE_NO_COLLAPSE};
        palette.entries[1] = {0xFF, 0xFF, 0xFF, PALETTE_NO_COLLAPSE};
        return palette;
    }
    std::copy_n(DEFAULT_PALETTE.begin(), palette.size, palette.entries.begin());
    return palette;
}

raster::ColorRef Palette::entry_color(uint32_t index) const {
    return index < static_cast<uint32_t>(size) ? entries[index].color() : entries[0].color();
}

} // namespace framework
