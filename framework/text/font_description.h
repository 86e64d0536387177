// Font descriptions: the option string that names a face, a size and a style, such as
// "t'Times New Roman Cyr'h38w17ib".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

// What a font description asks for. A size of 0 is not given.
struct FontSpec {
    std::string face; // CP1251 bytes as written, without the apostrophes
    bool has_face = false;
    int32_t height = 0;
    int32_t width = 0;
    bool best_fit = false;     // b
    bool bold = false;         // e
    bool italic = false;       // i
    bool underline = false;    // u
    bool fixed = false;        // f
    bool proportional = false; // p
    bool raster = false;       // r
    bool scalable = false;     // v
    bool has_number = false;   // n, which ends the parsing
    int32_t number = 0;
};

struct FontSpecParse {
    // GW_STATUS_OK, or GW_STATUS_ADJUSTED when contradictory letters cancelled each other
    // (the description is still used); GW_STATUS_OUT_OF_RANGE for t without an apostrophe and
    // GW_STATUS_FAILED for an unterminated or too long face name (the description fails).
    int16_t status = 0;
    FontSpec spec;

    bool failed() const { return status < 0; }
};

constexpr size_t MAX_FACE_NAME = 31;

// Reads a font description: letters count without regard to case, every character that is not an
// option letter is passed over, a later h, w or t overrides an earlier one. Trailing blanks do
// not matter.
FontSpecParse parse_font_spec(std::string_view text);

} // namespace framework
