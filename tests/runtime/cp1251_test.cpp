// CP1251 <-> UTF-8 conversion.
#include "runtime/cp1251.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, KnownCharactersBothWays) {
    struct Case {
        const char* utf8;
        const char* cp1251;
    };
    const Case cases[] = {
        {"Дата", "\xC4\xE0\xF2\xE0"},
        {"Nотж=", "N\xEE\xF2\xE6="},
        {"ёЁ№€«»", "\xB8\xA8\xB9\x88\xAB\xBB"},
        {"ЂђЏџ—", "\x80\x90\x8F\x9F\x97"},
        {"абвгдеж эюя АЯ", "\xE0\xE1\xE2\xE3\xE4\xE5\xE6 \xFD\xFE\xFF \xC0\xDF"},
        {"plain ASCII\r\n\t", "plain ASCII\r\n\t"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8_to_cp1251(c.utf8), c.cp1251) << c.utf8;
        EXPECT_EQ(cp1251_to_utf8(c.cp1251), c.utf8) << c.utf8;
    }
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = cp1251_to_utf8(all);
    EXPECT_EQ(utf8_to_cp1251(utf8), all);
}

TEST(Cp1251, UnrepresentableAndMalformedBecomeQuestionMarks) {
    struct Case {
        std::string utf8;
        std::string cp1251;
    };
    const Case cases[] = {
        {"日本", "??"},                // outside the code page
        {"a\xF0\x9F\x98\x80z", "a?z"}, // a 4-byte character outside it
        {"a\x80z", "a?z"},             // stray continuation byte
        {"a\xD0", "a?"},               // truncated at the end
        {"\xD0\x41", "?A"},            // truncated before ASCII
        {"\xC0\xAF", "??"},            // overlong '/'
        {"\xED\xA0\x80", "???"},       // a surrogate
        {"\xF4\x90\x80\x80", "????"},  // above U+10FFFF
        {"\xFF\xFE", "??"},            // bytes never valid in UTF-8
        {"\xE2\x82", "??"},            // truncated 3-byte sequence
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8_to_cp1251(c.utf8), c.cp1251) << testing::PrintToString(c.utf8);
}

} // namespace
