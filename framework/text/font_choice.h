// Choosing the font table entry a font description asks for.
#pragma once

#include "framework/text/font_description.h"
#include "platform/fonts/logical_font.h"

#include <cstdint>
#include <optional>
#include <span>

namespace framework {

// The size a chosen entry is created at: its own enumerated height and width, or the height and
// width of the choice.
enum class FontSize : uint8_t { entry, requested };

// Which entry to create, and at what size.
struct FontChoice {
    int32_t index = -1;
    FontSize size = FontSize::entry;
    int32_t height = 0; // with FontSize::requested; 0 leaves that dimension to the platform
    int32_t width = 0;
};

// The face a font description names, with the old names of three faces replaced by their current
// ones ("Tms Rmn", "Courier", "Helv", without regard to case).
std::string current_face_name(const std::string& face);

// Scans the table from its first entry. The first scalable candidate is taken at the requested
// size; a raster candidate is taken at its own size when the requested height and width (those
// given) are its own. With best fit, raster candidates compete by the distance of their size
// from the requested one instead, and when none is nearer than 200 the current font
// (`current_index`) is chosen again. A font number picks its entry at its own size and ignores
// every other option. Nothing when no entry is chosen.
std::optional<FontChoice> choose_font(std::span<const fonts::EnumeratedFont> table,
                                      const FontSpec& spec, int32_t current_index);

} // namespace framework
