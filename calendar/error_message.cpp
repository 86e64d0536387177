// The text of an error message: substitution of values into templates and the printed lines.
#include "calendar/error_message.h"

#include <cstdio>
#include <utility>

namespace calendar {

namespace {

constexpr std::string_view TOKEN_LETTERS = "ACDIKLRSZ";
constexpr std::string_view LINE_BREAK = "%/";
constexpr size_t FIRST_LINE_WIDTH = 59;
constexpr size_t CONTINUATION_WIDTH = 64;
constexpr std::string_view CONTINUATION_PREFIX = " ***          ";
constexpr size_t TRACEBACK_NAME_WIDTH = 32;

// A token is exactly five characters: "%(", a letter, a digit 1 .. 9 and ")".
bool is_token(std::string_view text, size_t at) {
    return text.size() - at >= 5 && text.compare(at, 2, "%(") == 0 &&
           TOKEN_LETTERS.find(text[at + 2]) != std::string_view::npos && text[at + 3] >= '1' &&
           text[at + 3] <= '9' && text[at + 4] == ')';
}

std::string_view trim_right(std::string_view text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Takes the next printed piece of at most `width` characters off the front of `rest`. A piece
// that does not fit ends at the last blank within the width (the blank itself is dropped); a
// word longer than the width is cut at the width. Blanks that start the next piece are dropped.
std::string_view take_piece(std::string_view& rest, size_t width) {
    std::string_view piece;
    if (rest.size() <= width) {
        piece = rest;
        rest = {};
    } else {
        const size_t blank = rest.substr(0, width + 1).find_last_of(' ');
        const size_t end = blank == std::string_view::npos || blank == 0 ? width : blank;
        piece = rest.substr(0, end);
        rest.remove_prefix(end);
        const size_t next = rest.find_first_not_of(' ');
        rest.remove_prefix(next == std::string_view::npos ? rest.size() : next);
    }
    return trim_right(piece);
}

} // namespace

std::string substitute_values(std::string_view message_template, const SubstitutionValues& values) {
    std::string result;
    size_t at = 0;
    while (at < message_template.size() && result.size() < MAX_MESSAGE_LENGTH) {
        if (!is_token(message_template, at)) {
            result += message_template[at++];
            continue;
        }
        const char letter = message_template[at + 2];
        const auto index = static_cast<size_t>(message_template[at + 3] - '1');
        if (letter == 'I')
            result += values.integers[index];
        else if (letter == 'L')
            result += values.texts[index];
        else
            result += message_template.substr(at, 5);
        at += 5;
    }
    if (result.size() > MAX_MESSAGE_LENGTH)
        result.resize(MAX_MESSAGE_LENGTH);
    return result;
}

std::vector<std::string> layout_message(std::string_view type_name, std::string_view message_line) {
    std::vector<std::string> lines{""};
    const std::string heading = std::string(" *** ") + std::string(type_name) + " ERROR";
    bool first = true;
    std::string_view rest_of_message = message_line;
    while (first || !rest_of_message.empty()) {
        const size_t break_at = rest_of_message.find(LINE_BREAK);
        std::string_view segment = rest_of_message.substr(0, break_at);
        rest_of_message = break_at == std::string_view::npos
                              ? std::string_view()
                              : rest_of_message.substr(break_at + LINE_BREAK.size());
        // Each segment gives at least one line, so "%/%/" leaves an empty continuation line.
        do {
            if (first) {
                lines.push_back(heading + std::string(take_piece(segment, FIRST_LINE_WIDTH)));
                first = false;
            } else {
                const std::string_view piece = take_piece(segment, CONTINUATION_WIDTH);
                // An empty piece (from "%/%/") still prints its prefix, without trailing blanks.
                lines.push_back(piece.empty()
                                    ? std::string(trim_right(CONTINUATION_PREFIX))
                                    : std::string(CONTINUATION_PREFIX) + std::string(piece));
            }
        } while (!segment.empty());
    }
    return lines;
}

std::vector<std::string> layout_traceback(std::span<const TracebackLevel> levels) {
    const std::string indent(5, ' ');
    std::vector<std::string> lines{
        indent + "Here is a traceback of subprogram calls" + " in reverse order:",
        indent + "Routine name               " + " " + "    Error type  Error code",
        indent + "------------" + "  " + std::string(14, ' ') + "    ----------  ----------",
    };
    for (const TracebackLevel& level : levels) {
        std::string name(level.name);
        if (trim_right(name).empty())
            name = "UNKNOWN ?";
        name.resize(TRACEBACK_NAME_WIDTH, ' ');
        char numbers[40];
        std::snprintf(numbers, sizeof numbers, "%6d      %6d", level.type, level.code);
        std::string line = indent + name;
        line += numbers;
        if (level.called_internally)
            line += "    (Called internally)";
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace calendar
