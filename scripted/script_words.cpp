// The words of one script line: comments, blanks, UTF-8, seconds and whole numbers.
#include "scripted/script_words.h"

#include <array>
#include <charconv>

namespace scripted {
namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

bool all_digits(std::string_view digits) {
    return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

// A number as written in a script: digits, then maybe a point and more digits.
struct DecimalWord {
    std::string_view whole;
    std::string_view fraction;
    bool has_point = false;
    bool digits_only = false; // no sign, exponent or other character
};

DecimalWord split_decimal(std::string_view word) {
    const size_t point = word.find('.');
    DecimalWord split;
    split.whole = word.substr(0, point);
    split.has_point = point != std::string_view::npos;
    split.fraction = split.has_point ? word.substr(point + 1) : std::string_view();
    split.digits_only = all_digits(split.whole) && all_digits(split.fraction);
    return split;
}

} // namespace

std::string_view without_comment(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || is_blank(line[i - 1])))
            return line.substr(0, i);
    return line;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<size_t> utf8_length(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        uint32_t code = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1Fu;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0Fu;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07u;
        } else {
            return std::nullopt;
        }
        if (i + extra >= text.size())
            return std::nullopt;
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3Fu);
        }
        constexpr std::array<uint32_t, 4> SMALLEST = {0, 0x80, 0x800, 0x10000};
        if (code < SMALLEST[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        i += extra + 1;
    }
    return count;
}

std::string in_quotes(std::string_view word) {
    return "'" + std::string(word) + "'";
}

ScriptWords::ScriptWords(std::string_view line) : m_line(line) {
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && is_blank(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !is_blank(line[i]))
            ++i;
        if (i > start)
            m_words.push_back({line.substr(start, i - start), start});
    }
}

std::string_view ScriptWords::take(std::string_view expected) {
    if (at_end())
        throw ScriptSyntaxError{"expected " + std::string(expected) + " at the end of the line"};
    return m_words[m_next++].text;
}

std::string_view ScriptWords::rest() {
    if (at_end())
        return {};
    const std::string_view text = trimmed(m_line.substr(m_words[m_next].offset));
    m_next = m_words.size();
    return text;
}

void ScriptWords::expect_end(std::string_view after) const {
    if (!at_end())
        throw ScriptSyntaxError{"unexpected " + in_quotes(peek()) + " after " + std::string(after)};
}

int64_t take_seconds(ScriptWords& words, std::string_view after) {
    const std::string expected = "seconds (such as 2 or 0.25) after " + std::string(after);
    const std::string_view word = words.take(expected);
    const auto [whole, fraction, has_point, digits_only] = split_decimal(word);
    const bool shape_ok = digits_only && !whole.empty() && whole.size() <= 9 &&
                          fraction.size() <= 6 && (!has_point || !fraction.empty());
    if (!shape_ok)
        throw ScriptSyntaxError{"expected " + expected + ", found " + in_quotes(word)};
    int64_t whole_us = 0;
    for (char c : whole)
        whole_us = whole_us * 10 + (c - '0');
    int64_t scale = 100'000;
    int64_t fraction_us = 0;
    for (char c : fraction) {
        fraction_us += (c - '0') * scale;
        scale /= 10;
    }
    return whole_us * 1'000'000 + fraction_us;
}

double read_decimal(std::string_view word, const std::string& expected) {
    const DecimalWord split = split_decimal(word);
    double value = 0.0;
    const bool shape_ok =
        split.digits_only && word.size() <= 20 && !(split.whole.empty() && split.fraction.empty());
    const auto [end, error] =
        shape_ok ? std::from_chars(word.data(), word.data() + word.size(), value)
                 : std::from_chars_result{word.data(), std::errc::invalid_argument};
    if (!shape_ok || error != std::errc() || end != word.data() + word.size())
        throw ScriptSyntaxError{"expected " + expected + ", found " + in_quotes(word)};
    return value;
}

int32_t read_whole_number(std::string_view word, const std::string& expected) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || word.front() == '-' || error != std::errc() ||
        end != word.data() + word.size())
        throw ScriptSyntaxError{"expected " + expected + ", found " + in_quotes(word)};
    return value;
}

} // namespace scripted
