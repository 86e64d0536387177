// The words of one script line, and the numbers and texts in them (private to the script parser).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scripted {

// Thrown inside the parser when a line is not as expected; parse_script turns it into a
// ScriptParseError, so it never leaves the parser.
struct ScriptSyntaxError {
    std::string message;
};

// The line without its comment: a '#' that begins a word starts one; one inside a word ("C#")
// is text.
std::string_view without_comment(std::string_view line);

// The text without blanks (space, tab) at either end.
std::string_view trimmed(std::string_view text);

// The number of code points when `text` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF); otherwise nothing.
std::optional<size_t> utf8_length(std::string_view text);

// 'word', for messages.
std::string in_quotes(std::string_view word);

// The words of one line, each with where it starts, so that an action can take the rest of the
// line as its text. Every `take` that finds the line ended throws, naming what was expected.
class ScriptWords {
public:
    explicit ScriptWords(std::string_view line);

    bool at_end() const { return m_next >= m_words.size(); }
    // The next word without taking it; empty at the end.
    std::string_view peek() const { return at_end() ? std::string_view() : m_words[m_next].text; }
    std::string_view take(std::string_view expected);
    // Everything after the words taken so far, without the blanks around it; takes it all.
    std::string_view rest();
    // Throws when a word is left, naming what it came `after`.
    void expect_end(std::string_view after) const;

private:
    struct Word {
        std::string_view text;
        size_t offset;
    };
    std::string_view m_line;
    std::vector<Word> m_words;
    size_t m_next = 0;
};

// Takes seconds as written in a script: whole seconds with at most 6 decimals, returned exactly in
// microseconds. At most 9 digits before the point keep every sum of times far from overflow.
int64_t take_seconds(ScriptWords& words, std::string_view after);

// A decimal number such as 0.8, 2 or 0.025 (digits, at most one point, no sign or exponent);
// throws naming `expected` otherwise.
double read_decimal(std::string_view word, const std::string& expected);

// A whole number from 0 to 2147483647; throws naming `expected` otherwise.
int32_t read_whole_number(std::string_view word, const std::string& expected);

} // namespace scripted
