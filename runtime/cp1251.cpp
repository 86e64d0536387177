// Code page 1251 <-> UTF-8 through a table of the upper half.
#include "runtime/cp1251.h"

#include <array>
#include <cstdint>

namespace {

// Bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order and 0x00..0x7F are ASCII.
constexpr std::array<char16_t, 64> UPPER_TABLE = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char32_t code_point_of(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return char32_t{0x0410} + (byte - 0xC0u);
    return UPPER_TABLE[byte - 0x80u];
}

char byte_of(char32_t code_point) {
    if (code_point < 0x80)
        return static_cast<char>(code_point);
    if (code_point >= 0x0410 && code_point <= 0x044F)
        return static_cast<char>(0xC0 + (code_point - 0x0410));
    for (size_t i = 0; i < UPPER_TABLE.size(); ++i) {
        if (UPPER_TABLE[i] == code_point)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when it is malformed.
size_t decode_utf8(std::string_view text, size_t i, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    char32_t min_value = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1Fu, min_value = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0Fu, min_value = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07u, min_value = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    if (cp < min_value || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string cp1251_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        append_utf8(out, code_point_of(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8_to_cp1251(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const size_t length = decode_utf8(text, i, cp);
        if (length == 0) {
            out += '?';
            ++i;
            continue;
        }
        out += byte_of(cp);
        i += length;
    }
    return out;
}
