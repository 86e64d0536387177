// The script parser: one line at a time, the trigger first, then the action and its arguments.
#include "scripted/script.h"

#include "runtime/small_file.h"
#include "scripted/script_words.h"

#include <array>
#include <iterator>

namespace scripted {
namespace {

// Far more than any script needs; a larger file is not a script.
constexpr size_t MAX_SCRIPT_BYTES = 1 << 20;

ScriptTrigger parse_trigger(ScriptWords& words) {
    ScriptTrigger trigger;
    const std::string_view first = words.peek();
    if (first == "at" || first == "after") {
        words.take("");
        trigger.kind = first == "at" ? TriggerKind::at : TriggerKind::after;
        trigger.delay_us = take_seconds(words, first);
        return trigger;
    }
    if (first != "on")
        return trigger;
    words.take("");
    trigger.kind = TriggerKind::on;
    const std::string_view event = words.take("an event name after on");
    if (event.find('=') != std::string_view::npos)
        throw ScriptSyntaxError{"expected an event name after on, found " + in_quotes(event)};
    trigger.event = event;
    while (!words.at_end()) {
        const std::string_view word = words.peek();
        if (word == "after") {
            words.take("");
            trigger.delay_us = take_seconds(words, "after");
            break;
        }
        const size_t equals = word.find('=');
        if (equals == std::string_view::npos)
            break;
        if (equals == 0)
            throw ScriptSyntaxError{"expected key=value after the event name, found " +
                                    in_quotes(word)};
        const std::string_view key = word.substr(0, equals);
        for (const auto& known : trigger.keys)
            if (known.first == key)
                throw ScriptSyntaxError{"key " + std::string(key) + " is given twice"};
        trigger.keys.emplace_back(key, word.substr(equals + 1));
        words.take("");
    }
    return trigger;
}

ScriptButtons parse_buttons(ScriptWords& words, std::string_view action, bool both_allowed) {
    const std::string expected = both_allowed ? "left, right or both" : "left or right";
    const std::string_view word = words.take(expected + " after " + std::string(action));
    if (word == "left")
        return ScriptButtons::left;
    if (word == "right")
        return ScriptButtons::right;
    if (word == "both" && both_allowed)
        return ScriptButtons::both;
    throw ScriptSyntaxError{"expected " + expected + " after " + std::string(action) + ", found " +
                            in_quotes(word)};
}

std::optional<ScriptPoint> parse_point(ScriptWords& words) {
    if (words.at_end())
        return std::nullopt;
    const std::string expected = "a surface pixel X Y (whole numbers, 0 or more)";
    const int32_t x = read_whole_number(words.take(expected), expected);
    const int32_t y = read_whole_number(words.take(expected), expected);
    return ScriptPoint{x, y};
}

// A key name, after any number of "Ctrl+" and "Shift+" prefixes.
bool is_key_name(std::string_view name) {
    static constexpr std::array<std::string_view, 11> NAMES = {
        "Enter",  "Escape",   "Left", "Right", "Up",    "Down",
        "PageUp", "PageDown", "Home", "End",   "Insert"};
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (std::string_view prefix : {std::string_view("Ctrl+"), std::string_view("Shift+")}) {
            if (name.size() > prefix.size() && name.starts_with(prefix)) {
                name.remove_prefix(prefix.size());
                stripped = true;
            }
        }
    }
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

// `observer ACUITY SPREAD LAPSE SECONDS` or `observer off`.
std::optional<ObserverModel> parse_observer(ScriptWords& words) {
    const std::string expected = "ACUITY SPREAD LAPSE SECONDS or off after observer";
    if (words.peek() == "off") {
        words.take("");
        words.expect_end("observer off");
        return std::nullopt;
    }
    ObserverModel model;
    const struct {
        const char* name;
        double* value;
    } fields[] = {{"ACUITY", &model.acuity},
                  {"SPREAD", &model.spread},
                  {"LAPSE", &model.lapse},
                  {"SECONDS", &model.seconds}};
    for (const auto& field : fields) {
        const std::string what = std::string("a number ") + field.name + " in " + expected;
        *field.value = read_decimal(words.take(what), what);
    }
    words.expect_end("the observer's SECONDS");
    if (const std::optional<std::string> problem = observer_model_problem(model))
        throw ScriptSyntaxError{"expected " + *problem + " in observer " + expected};
    return model;
}

ScriptAction parse_action(ScriptWords& words) {
    ScriptAction action;
    const std::string_view name = words.take("an action");
    if (name == "press" || name == "release" || name == "click") {
        action.kind = name == "press"     ? ActionKind::press
                      : name == "release" ? ActionKind::release
                                          : ActionKind::click;
        action.buttons = parse_buttons(words, name, name != "click");
        action.point = parse_point(words);
        words.expect_end("the pixel X Y");
    } else if (name == "menu" || name == "help") {
        action.kind = name == "menu" ? ActionKind::menu : ActionKind::help;
        action.text = words.rest();
        if (action.text.empty())
            throw ScriptSyntaxError{"expected a menu label after " + std::string(name) +
                                    " at the end of the line"};
    } else if (name == "key") {
        action.kind = ActionKind::key;
        action.text = words.take("a key name after key");
        if (!is_key_name(action.text))
            throw ScriptSyntaxError{
                "expected Enter, Escape, Left, Right, Up, Down, PageUp, PageDown, "
                "Home, End, Insert or one character, each maybe after Ctrl+ or Shift+, "
                "after key, found " +
                in_quotes(action.text)};
        words.expect_end("the key name");
    } else if (name == "dialog") {
        const std::string_view verb = words.take("set or press after dialog");
        const std::string expected =
            "a control id (a whole number) after dialog " + std::string(verb);
        if (verb == "set") {
            action.kind = ActionKind::dialog_set;
            action.control_id = read_whole_number(words.take(expected), expected);
            action.text = words.rest();
        } else if (verb == "press") {
            action.kind = ActionKind::dialog_press;
            action.control_id = read_whole_number(words.take(expected), expected);
            words.expect_end("the control id");
        } else {
            throw ScriptSyntaxError{"expected set or press after dialog, found " + in_quotes(verb)};
        }
    } else if (name == "answer") {
        action.kind = ActionKind::answer;
        const std::string_view verdict = words.take("correct or wrong after answer");
        if (verdict != "correct" && verdict != "wrong")
            throw ScriptSyntaxError{"expected correct or wrong after answer, found " +
                                    in_quotes(verdict)};
        action.correct = verdict == "correct";
        words.expect_end("the answer");
    } else if (name == "observer") {
        action.kind = ActionKind::observer;
        action.observer = parse_observer(words);
    } else if (name == "snapshot") {
        action.kind = ActionKind::snapshot;
        action.text = words.take("a file name after snapshot");
        if (!is_safe_file_name(action.text))
            throw ScriptSyntaxError{
                "expected a file name without '/' or '\\' that does not start with "
                "'.' after snapshot, found " +
                in_quotes(action.text)};
        words.expect_end("the snapshot name");
    } else if (name == "close") {
        action.kind = ActionKind::close;
        words.expect_end("close");
    } else {
        throw ScriptSyntaxError{
            "expected a trigger (at, after, on) or an action (press, release, "
            "click, menu, help, key, dialog, answer, observer, snapshot, close), "
            "found " +
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
            ScriptWords words(content);
            ScriptLine parsed{line_number, parse_trigger(words), {}};
            parsed.action = parse_action(words);
            result.script.lines.push_back(std::move(parsed));
        } catch (const ScriptSyntaxError& failure) {
            result.error = ScriptParseError{line_number, failure.message};
            result.script.lines.clear();
            return result;
        }
    }
    return result;
}

ScriptParseResult load_script(const std::filesystem::path& path) {
    const RtSmallFile file = rt_read_small_file(path, MAX_SCRIPT_BYTES);
    if (!file.text) {
        ScriptParseResult result;
        result.error = ScriptParseError{0, "cannot be read: " + file.reason};
        return result;
    }
    return parse_script(*file.text);
}

std::string describe_script_error(const std::filesystem::path& path,
                                  const ScriptParseError& error) {
    std::string text = "script " + path.string();
    if (error.line_number > 0)
        text += ", line " + std::to_string(error.line_number);
    return text + ": " + error.message;
}

} // namespace scripted
