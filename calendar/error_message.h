// The text of an error message: substitution of values into templates and the printed lines.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Private to the calendar library.
namespace calendar {

inline constexpr size_t SUBSTITUTION_VALUE_COUNT = 9;
inline constexpr size_t MAX_TEXT_VALUE_LENGTH = 255;
inline constexpr size_t MAX_MESSAGE_LENGTH = 1024;

// The numbered values that templates refer to: integers kept as their decimal text, and texts.
// A value that was never set is empty.
struct SubstitutionValues {
    std::array<std::string, SUBSTITUTION_VALUE_COUNT> integers;
    std::array<std::string, SUBSTITUTION_VALUE_COUNT> texts;
};

// Replaces every token "%(" letter digit ")" of `message_template`, letter one of "ACDIKLRSZ"
// and digit 1 .. 9: "I" takes the integer value of that number and "L" the text value. The
// library keeps no values of the other kinds, so their tokens stay as written. The result is
// cut to MAX_MESSAGE_LENGTH characters.
std::string substitute_values(std::string_view message_template, const SubstitutionValues& values);

// The printed lines of a message, from the empty line before it: the heading " *** ", the
// eight-character type name and " ERROR" with the start of `message_line`, then continuation
// lines. "%/" in the message line starts a new line.
std::vector<std::string> layout_message(std::string_view type_name, std::string_view message_line);

// One level of the traceback.
struct TracebackLevel {
    std::string_view name; // blank-padded to 32 characters; all blanks when unknown
    int32_t type = 0;
    int32_t code = 0;
    bool called_internally = false;
};

// The traceback's heading and one line per level, `levels` from the innermost outwards.
std::vector<std::string> layout_traceback(std::span<const TracebackLevel> levels);

} // namespace calendar
