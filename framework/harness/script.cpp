// The script parser: one line at a time, the trigger first, then the action and its arguments.
#include "framework/harness/script.h"

#include <array>
#include <charconv>
#include <fstream>
#include <iterator>

namespace framework::harness {
namespace {

struct ParseFailure {
    std::string message;
};

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// A '#' that begins a word starts a comment; one inside a word ("C#") is text.
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

// Number of code points when `text` is well-formed UTF-8 (no overlong forms, no surrogates),
// otherwise nothing.
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

// The words of one line, each with where it starts, so that an action can take the rest of the
// line as its text.
class Words {
public:
    explicit Words(std::string_view line) : m_line(line) {
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

    bool at_end() const { return m_next >= m_words.size(); }
    std::string_view peek() const { return at_end() ? std::string_view() : m_words[m_next].text; }

    // The next word; fails naming `expected` when the line has ended.
    std::string_view take(std::string_view expected) {
        if (at_end())
            throw ParseFailure{"expected " + std::string(expected) + " at the end of the line"};
        return m_words[m_next++].text;
    }

    // Everything after the words taken so far, without the blanks around it.
    std::string_view rest() {
        if (at_end())
            return {};
        const std::string_view text = trimmed(m_line.substr(m_words[m_next].offset));
        m_next = m_words.size();
        return text;
    }

    void expect_end(std::string_view after) const {
        if (!at_end())
            throw ParseFailure{"unexpected " + in_quotes(peek()) + " after " + std::string(after)};
    }

private:
    struct Word {
        std::string_view text;
        size_t offset;
    };
    std::string_view m_line;
    std::vector<Word> m_words;
    size_t m_next = 0;
};

// Seconds as written in a script: whole seconds with at most 6 decimals, kept exactly in
// microseconds. At most 9 digits before the point keeps every sum of times far from overflow.
int64_t parse_seconds(Words& words, std::string_view after) {
    const std::string expected = "seconds (such as 2 or 0.25) after " + std::string(after);
    const std::string_view word = words.take(expected);
    const size_t point = word.find('.');
    const std::string_view whole = word.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : word.substr(point + 1);
    const auto all_digits = [](std::string_view digits) {
        return digits.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const bool shape_ok = !whole.empty() && whole.size() <= 9 && all_digits(whole) &&
                          all_digits(fraction) && fraction.size() <= 6 &&
                          (point == std::string_view::npos || !fraction.empty());
    if (!shape_ok)
        throw ParseFailure{"expected " + expected + ", found " + in_quotes(word)};
    int64_t micro = 0;
    for (char c : whole)
        micro = micro * 10 + (c - '0');
    int64_t scale = 100'000;
    int64_t fraction_us = 0;
    for (char c : fraction) {
        fraction_us += (c - '0') * scale;
        scale /= 10;
    }
    return micro * 1'000'000 + fraction_us;
}

int32_t parse_whole_number(std::string_view word, const std::string& expected) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || word.front() == '-' || error != std::errc() ||
        end != word.data() + word.size())
        throw ParseFailure{"expected " + expected + ", found " + in_quotes(word)};
    return value;
}

ScriptTrigger parse_trigger(Words& words) {
    ScriptTrigger trigger;
    const std::string_view first = words.peek();
    if (first == "at" || first == "after") {
        words.take("");
        trigger.kind = first == "at" ? TriggerKind::at : TriggerKind::after;
        trigger.delay_us = parse_seconds(words, first);
        return trigger;
    }
    if (first != "on")
        return trigger;
    words.take("");
    trigger.kind = TriggerKind::on;
    const std::string_view event = words.take("an event name after on");
    if (event.find('=') != std::string_view::npos)
        throw ParseFailure{"expected an event name after on, found " + in_quotes(event)};
    trigger.event = event;
    while (!words.at_end()) {
        const std::string_view word = words.peek();
        if (word == "after") {
            words.take("");
            trigger.delay_us = parse_seconds(words, "after");
            break;
        }
        const size_t equals = word.find('=');
        if (equals == std::string_view::npos)
            break;
        if (equals == 0)
            throw ParseFailure{"expected key=value after the event name, found " + in_quotes(word)};
        trigger.keys.emplace_back(word.substr(0, equals), word.substr(equals + 1));
        words.take("");
    }
    return trigger;
}

ScriptButtons parse_buttons(Words& words, std::string_view action, bool both_allowed) {
    const std::string expected = both_allowed ? "left, right or both" : "left or right";
    const std::string_view word = words.take(expected + " after " + std::string(action));
    if (word == "left")
        return ScriptButtons::left;
    if (word == "right")
        return ScriptButtons::right;
    if (word == "both" && both_allowed)
        return ScriptButtons::both;
    throw ParseFailure{"expected " + expected + " after " + std::string(action) + ", found " +
                       in_quotes(word)};
}

std::optional<ScriptPoint> parse_point(Words& words) {
    if (words.at_end())
        return std::nullopt;
    const std::string expected = "a surface pixel X Y (whole numbers, 0 or more)";
    const int32_t x = parse_whole_number(words.take(expected), expected);
    const int32_t y = parse_whole_number(words.take(expected), expected);
    return ScriptPoint{x, y};
}

bool is_key_name(std::string_view name) {
    static constexpr std::array<std::string_view, 10> NAMES = {
        "Enter", "Escape", "Left", "Right", "Up", "Down", "PageUp", "PageDown", "Home", "End"};
    for (std::string_view known : NAMES)
        if (name == known)
            return true;
    return utf8_length(name) == 1u;
}

// A snapshot name becomes part of a file name in the snapshot folder: it must not reach outside
// that folder or make a hidden file.
bool is_safe_file_name(std::string_view name) {
    return !name.empty() && name.front() != '.' &&
           name.find_first_of("/\\") == std::string_view::npos;
}

ScriptAction parse_action(Words& words) {
    ScriptAction action;
    const std::string_view name = words.take("an action");
    if (name == "press" || name == "release" || name == "click") {
        action.kind = name == "press"     ? ActionKind::press
                      : name == "release" ? ActionKind::release
                                          : ActionKind::click;
        action.buttons = parse_buttons(words, name, name != "click");
        action.point = parse_point(words);
        words.expect_end("the pixel X Y");
    } else if (name == "menu") {
        action.kind = ActionKind::menu;
        action.text = words.rest();
        if (action.text.empty())
            throw ParseFailure{"expected a menu label after menu at the end of the line"};
    } else if (name == "key") {
        action.kind = ActionKind::key;
        action.text = words.take("a key name after key");
        if (!is_key_name(action.text))
            throw ParseFailure{"expected Enter, Escape, Left, Right, Up, Down, PageUp, PageDown, "
                               "Home, End or one character after key, found " +
                               in_quotes(action.text)};
        words.expect_end("the key name");
    } else if (name == "dialog") {
        const std::string_view verb = words.take("set or press after dialog");
        const std::string expected =
            "a control id (a whole number) after dialog " + std::string(verb);
        if (verb == "set") {
            action.kind = ActionKind::dialog_set;
            action.control_id = parse_whole_number(words.take(expected), expected);
            action.text = words.rest();
        } else if (verb == "press") {
            action.kind = ActionKind::dialog_press;
            action.control_id = parse_whole_number(words.take(expected), expected);
            words.expect_end("the control id");
        } else {
            throw ParseFailure{"expected set or press after dialog, found " + in_quotes(verb)};
        }
    } else if (name == "answer") {
        action.kind = ActionKind::answer;
        const std::string_view verdict = words.take("correct or wrong after answer");
        if (verdict != "correct" && verdict != "wrong")
            throw ParseFailure{"expected correct or wrong after answer, found " +
                               in_quotes(verdict)};
        action.correct = verdict == "correct";
        words.expect_end("the answer");
    } else if (name == "snapshot") {
        action.kind = ActionKind::snapshot;
        action.text = words.take("a file name after snapshot");
        if (!is_safe_file_name(action.text))
            throw ParseFailure{"expected a file name without '/' or '\\' that does not start with "
                               "'.' after snapshot, found " +
                               in_quotes(action.text)};
        words.expect_end("the snapshot name");
    } else if (name == "close") {
        action.kind = ActionKind::close;
        words.expect_end("close");
    } else {
        throw ParseFailure{"expected a trigger (at, after, on) or an action (press, release, "
                           "click, menu, key, dialog, answer, snapshot, close), found " +
                           in_quotes(name)};
    }
    return action;
}

} // namespace

ScriptParseResult parse_script(std::string_view text) {
    ScriptParseResult result;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    int32_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!utf8_length(line)) {
            result.error = ScriptParseError{line_number, "the line is not UTF-8 text"};
            result.script.lines.clear();
            return result;
        }
        const std::string_view content = trimmed(without_comment(line));
        if (content.empty())
            continue;
        try {
            Words words(content);
            ScriptLine parsed{line_number, parse_trigger(words), {}};
            parsed.action = parse_action(words);
            result.script.lines.push_back(std::move(parsed));
        } catch (const ParseFailure& failure) {
            result.error = ScriptParseError{line_number, failure.message};
            result.script.lines.clear();
            return result;
        }
    }
    return result;
}

ScriptParseResult load_script(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ScriptParseResult result;
        result.error = ScriptParseError{0, "cannot be read"};
        return result;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        ScriptParseResult result;
        result.error = ScriptParseError{0, "cannot be read"};
        return result;
    }
    return parse_script(text);
}

std::string describe_script_error(const std::filesystem::path& path,
                                  const ScriptParseError& error) {
    std::string text = "script " + path.string();
    if (error.line_number > 0)
        text += ", line " + std::to_string(error.line_number);
    return text + ": " + error.message;
}

} // namespace framework::harness
