// The platform's font model: the logical font that describes a font to create, the text metrics
// of a created font, and the font-type bits of an enumerated font.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace fonts {

// Font-type bits of an enumerated font.
constexpr uint32_t RASTER_FONTTYPE = 0x1;
constexpr uint32_t DEVICE_FONTTYPE = 0x2;
constexpr uint32_t TRUETYPE_FONTTYPE = 0x4;

// Pitch bits (0..1) and family bits (4..7) of the pitch-and-family byte.
constexpr uint8_t DEFAULT_PITCH = 0x0;
constexpr uint8_t FIXED_PITCH = 0x1;
constexpr uint8_t VARIABLE_PITCH = 0x2;
constexpr uint8_t PITCH_MASK = 0x3;
constexpr uint8_t FF_DONTCARE = 0x00;
constexpr uint8_t FF_ROMAN = 0x10;
constexpr uint8_t FF_SWISS = 0x20;
constexpr uint8_t FF_MODERN = 0x30;

constexpr uint8_t ANSI_CHARSET = 0;
constexpr uint8_t CYRILLIC_CHARSET = 204;

constexpr int32_t FW_DONTCARE = 0;
constexpr int32_t FW_NORMAL = 400;
constexpr int32_t FW_BOLD = 700;

constexpr size_t FACE_NAME_SIZE = 32; // 31 characters and a terminator

// A font as asked for. `height` > 0 is the cell height (ascent + descent) in pixels, < 0 the
// character (em) height, 0 the platform's default size. `width` > 0 is the average character
// width, 0 keeps the glyphs' own proportions. Angles are tenths of a degree counter-clockwise.
// The face name is UTF-8.
struct LogicalFont {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = FW_DONTCARE;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strike_out = 0;
    uint8_t charset = ANSI_CHARSET;
    uint8_t out_precision = 0;
    uint8_t clip_precision = 0;
    uint8_t quality = 0;
    uint8_t pitch_and_family = DEFAULT_PITCH | FF_DONTCARE;
    std::array<char, FACE_NAME_SIZE> face{};

    std::string face_name() const;
    // Copies at most 31 bytes of the name.
    void set_face_name(const std::string& name);

    friend bool operator==(const LogicalFont&, const LogicalFont&) = default;
};

// The measurements of a created font in pixels. `pitch_and_family` follows the logical font's
// convention (1 fixed, 2 variable pitch).
struct TextMetrics {
    int32_t height = 0; // ascent + descent
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internal_leading = 0; // height - em height
    int32_t external_leading = 0; // extra line gap the font recommends
    int32_t average_char_width = 0;
    int32_t max_char_width = 0;
    int32_t weight = 0;
    int32_t overhang = 0;
    int32_t digitized_aspect_x = 96;
    int32_t digitized_aspect_y = 96;
    uint8_t italic = 0;
    uint8_t underlined = 0;
    uint8_t struck_out = 0;
    uint8_t pitch_and_family = 0;
    uint8_t charset = ANSI_CHARSET;

    friend bool operator==(const TextMetrics&, const TextMetrics&) = default;
};

// One font of the installed set: how to ask for it at its own size, what it measures at that
// size, and its type bits.
struct EnumeratedFont {
    LogicalFont logical;
    TextMetrics metrics;
    uint32_t type = 0;
};

} // namespace fonts
