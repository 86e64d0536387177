// Code page 1251 <-> UTF-8: stored texts are CP1251, shown texts are Unicode.
#pragma once

#include <string>
#include <string_view>

// Every CP1251 byte has a character; the one unassigned byte (0x98) maps to U+0098 so that a
// round trip keeps it.
std::string cp1251_to_utf8(std::string_view text);

// Characters outside CP1251 become '?'; so does each byte of malformed UTF-8 (stray
// continuation bytes, truncated or overlong sequences, surrogates, values above U+10FFFF).
std::string utf8_to_cp1251(std::string_view text);
