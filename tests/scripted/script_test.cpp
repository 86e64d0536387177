// The script parser: every trigger and action form, and an error naming the line for each mistake.
#include "scripted/script.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace scripted;

ScriptAction action(ActionKind kind) {
    ScriptAction result;
    result.kind = kind;
    return result;
}

ScriptAction pointer(ActionKind kind, ScriptButtons buttons, std::optional<ScriptPoint> at = {}) {
    ScriptAction result = action(kind);
    result.buttons = buttons;
    result.point = at;
    return result;
}

ScriptAction with_text(ActionKind kind, std::string text, int32_t control_id = 0) {
    ScriptAction result = action(kind);
    result.text = std::move(text);
    result.control_id = control_id;
    return result;
}

ScriptAction answer(bool correct) {
    ScriptAction result = action(ActionKind::answer);
    result.correct = correct;
    return result;
}

ScriptAction observer(std::optional<ObserverModel> model) {
    ScriptAction result = action(ActionKind::observer);
    result.observer = model;
    return result;
}

ScriptTrigger trigger(TriggerKind kind, int64_t delay_us, std::string event = {},
                      std::vector<std::pair<std::string, std::string>> keys = {}) {
    return {kind, delay_us, std::move(event), std::move(keys)};
}

struct ValidCase {
    std::string_view text;
    ScriptTrigger trigger;
    ScriptAction action;
};

TEST(ScriptParserTest, ReadsEveryTriggerAndAction) {
    const ScriptTrigger now = trigger(TriggerKind::after, 0);
    const ValidCase cases[] = {
        {"press left", now, pointer(ActionKind::press, ScriptButtons::left)},
        {"press both 10 20", now, pointer(ActionKind::press, ScriptButtons::both, {{10, 20}})},
        {"release right 0 649", now,
         pointer(ActionKind::release, ScriptButtons::right, {{0, 649}})},
        {"release both", now, pointer(ActionKind::release, ScriptButtons::both)},
        {"click right", now, pointer(ActionKind::click, ScriptButtons::right)},
        {"click left 5 6", now, pointer(ActionKind::click, ScriptButtons::left, {{5, 6}})},
        {"menu Итоги_тренировок", now, with_text(ActionKind::menu, "Итоги_тренировок")},
        {"menu  Two words \t", now, with_text(ActionKind::menu, "Two words")},
        {"help Инструкция", now, with_text(ActionKind::help, "Инструкция")},
        {"key Enter", now, with_text(ActionKind::key, "Enter")},
        {"key PageDown", now, with_text(ActionKind::key, "PageDown")},
        {"key ж", now, with_text(ActionKind::key, "ж")},
        {"key 7", now, with_text(ActionKind::key, "7")},
        {"key Insert", now, with_text(ActionKind::key, "Insert")},
        {"key Ctrl+PageDown", now, with_text(ActionKind::key, "Ctrl+PageDown")},
        {"key Shift+Insert", now, with_text(ActionKind::key, "Shift+Insert")},
        {"key Ctrl+Shift+End", now, with_text(ActionKind::key, "Ctrl+Shift+End")},
        {"key Ctrl+c", now, with_text(ActionKind::key, "Ctrl+c")},
        {"key Ctrl++", now, with_text(ActionKind::key, "Ctrl++")},
        {"key +", now, with_text(ActionKind::key, "+")},
        {"dialog set 101 60", now, with_text(ActionKind::dialog_set, "60", 101)},
        {"dialog set 7 a  b c", now, with_text(ActionKind::dialog_set, "a  b c", 7)},
        {"dialog set 7", now, with_text(ActionKind::dialog_set, "", 7)},
        {"dialog press 1", now, with_text(ActionKind::dialog_press, "", 1)},
        {"answer correct", now, answer(true)},
        {"answer wrong", now, answer(false)},
        {"observer 0.5 0.035 0.02 0.8", now, observer(ObserverModel{0.5, 0.035, 0.02, 0.8})},
        {"observer 2 1 0 0.05", now, observer(ObserverModel{2.0, 1.0, 0.0, 0.05})},
        {"observer 0.8 .05 0.499 1.999", now, observer(ObserverModel{0.8, 0.05, 0.499, 1.999})},
        {"observer off", now, observer(std::nullopt)},
        {"snapshot start-screen_2", now, with_text(ActionKind::snapshot, "start-screen_2")},
        {"close", now, action(ActionKind::close)},
        // Triggers; seconds are kept exactly in microseconds.
        {"at 5 close", trigger(TriggerKind::at, 5'000'000), action(ActionKind::close)},
        {"at 0.001 close", trigger(TriggerKind::at, 1'000), action(ActionKind::close)},
        {"after 1.25 close", trigger(TriggerKind::after, 1'250'000), action(ActionKind::close)},
        {"after 0.000001 close", trigger(TriggerKind::after, 1), action(ActionKind::close)},
        {"after 999999999.5 close", trigger(TriggerKind::after, 999'999'999'500'000),
         action(ActionKind::close)},
        {"on pause close", trigger(TriggerKind::on, 0, "pause"), action(ActionKind::close)},
        {"on figure K=2 side=-1 press left",
         trigger(TriggerKind::on, 0, "figure", {{"K", "2"}, {"side", "-1"}}),
         pointer(ActionKind::press, ScriptButtons::left)},
        {"on dialog-shown id=100 after 0.5 dialog press 1",
         trigger(TriggerKind::on, 500'000, "dialog-shown", {{"id", "100"}}),
         with_text(ActionKind::dialog_press, "", 1)},
        {"on message text= close", trigger(TriggerKind::on, 0, "message", {{"text", ""}}),
         action(ActionKind::close)},
        // An event may share its name with an action; the word after it is still the action.
        {"on menu label=Выход menu Выход",
         trigger(TriggerKind::on, 0, "menu", {{"label", "Выход"}}),
         with_text(ActionKind::menu, "Выход")},
        // Comments: a '#' that begins a word; inside a word it is text.
        {"menu C#  # choose it", now, with_text(ActionKind::menu, "C#")},
        {"  at 2 close # and a comment", trigger(TriggerKind::at, 2'000'000),
         action(ActionKind::close)},
    };
    for (const ValidCase& test : cases) {
        SCOPED_TRACE(test.text);
        const ScriptParseResult result = parse_script(test.text);
        ASSERT_FALSE(result.error) << result.error->message;
        ASSERT_EQ(result.script.lines.size(), 1u);
        EXPECT_EQ(result.script.lines[0].line_number, 1);
        EXPECT_EQ(result.script.lines[0].trigger, test.trigger);
        EXPECT_EQ(result.script.lines[0].action, test.action);
    }
}

TEST(ScriptParserTest, KeepsFileLineNumbersAcrossCommentsAndBlankLines) {
    const ScriptParseResult result = parse_script("\xEF\xBB\xBF# a demonstration\r\n"
                                                  "\r\n"
                                                  "   \t\n"
                                                  "at 1 press left\r\n"
                                                  "  # indented comment\n"
                                                  "release left");
    ASSERT_FALSE(result.error) << result.error->message;
    ASSERT_EQ(result.script.lines.size(), 2u);
    EXPECT_EQ(result.script.lines[0].line_number, 4);
    EXPECT_EQ(result.script.lines[1].line_number, 6);
    EXPECT_EQ(result.script.lines[1].action, pointer(ActionKind::release, ScriptButtons::left));
}

struct ErrorCase {
    std::string_view text;
    std::string_view message_part;
};

TEST(ScriptParserTest, NamesTheLineAndWhatWasExpected) {
    const ErrorCase cases[] = {
        {"jump", "expected a trigger (at, after, on) or an action"},
        {"at", "expected seconds (such as 2 or 0.25) after at at the end of the line"},
        {"at soon close", "found 'soon'"},
        {"at -1 close", "found '-1'"},
        {"at 1. close", "found '1.'"},
        {"at .5 close", "found '.5'"},
        {"after 0.0000001 close", "found '0.0000001'"},
        {"after 1e3 close", "found '1e3'"},
        {"after 1234567890 close", "found '1234567890'"},
        {"at 5", "expected an action at the end of the line"},
        {"at 5 at 6 close", "found 'at'"},
        {"on", "expected an event name after on"},
        {"on K=2 close", "expected an event name after on, found 'K=2'"},
        {"on figure =2 close", "expected key=value after the event name, found '=2'"},
        {"on figure K=2", "expected an action at the end of the line"},
        {"on figure K=2 K=3 close", "key K is given twice"},
        {"on figure after close", "found 'close'"},
        {"press", "expected left, right or both after press at the end of the line"},
        {"press middle", "expected left, right or both after press, found 'middle'"},
        {"click both", "expected left or right after click, found 'both'"},
        {"press left 10", "expected a surface pixel X Y"},
        {"press left 10 y", "found 'y'"},
        {"press left -1 5", "found '-1'"},
        {"press left 1 2 3", "unexpected '3' after the pixel X Y"},
        {"press left 99999999999 0", "found '99999999999'"},
        {"menu", "expected a menu label after menu"},
        {"menu   # only a comment", "expected a menu label after menu"},
        {"help", "expected a menu label after help"},
        {"key", "expected a key name after key"},
        {"key Tab", "found 'Tab'"},
        {"key ab", "found 'ab'"},
        {"key Ctrl+", "found 'Ctrl+'"},
        {"key Alt+x", "found 'Alt+x'"},
        {"key Ctrl+Tab", "found 'Ctrl+Tab'"},
        {"key Enter Escape", "unexpected 'Escape' after the key name"},
        {"dialog", "expected set or press after dialog"},
        {"dialog open 1", "expected set or press after dialog, found 'open'"},
        {"dialog set x 5", "expected a control id (a whole number) after dialog set, found 'x'"},
        {"dialog press", "expected a control id (a whole number) after dialog press at the end"},
        {"dialog press 1 2", "unexpected '2' after the control id"},
        {"answer", "expected correct or wrong after answer"},
        {"answer left", "found 'left'"},
        // The observer's values and their ranges: acuity and spread above 0, lapse below one
        // half, seconds from 0.05 to under 2.
        {"observer", "expected a number ACUITY"},
        {"observer 0.5 0.05 0.02", "expected a number SECONDS"},
        {"observer 0.5 0.05 0.02 0.8 9", "unexpected '9' after the observer's SECONDS"},
        {"observer on", "found 'on'"},
        {"observer off now", "unexpected 'now' after observer off"},
        {"observer -0.5 0.05 0.02 0.8", "found '-0.5'"},
        {"observer 1e1 0.05 0.02 0.8", "found '1e1'"},
        {"observer nan 0.05 0.02 0.8", "found 'nan'"},
        {"observer . 0.05 0.02 0.8", "found '.'"},
        {"observer 0 0.05 0.02 0.8", "expected an acuity above 0"},
        {"observer 0.5 0 0.02 0.8", "expected a spread above 0"},
        {"observer 0.5 0.05 0.5 0.8", "expected a lapse from 0 up to (not including) 0.5"},
        {"observer 0.5 0.05 0.02 0.04", "expected seconds from 0.05 up to (not including) 2"},
        {"observer 0.5 0.05 0.02 2", "expected seconds from 0.05"},
        {"snapshot", "expected a file name after snapshot"},
        {"snapshot ../outside", "found '../outside'"},
        {"snapshot a/b", "found 'a/b'"},
        {"snapshot a\\b", "found 'a\\b'"},
        {"snapshot .hidden", "found '.hidden'"},
        {"snapshot a b", "unexpected 'b' after the snapshot name"},
        {"close now", "unexpected 'now' after close"},
        {"menu \xC3", "the line is not UTF-8 text"},
        {"menu \xC0\xAF", "the line is not UTF-8 text"},         // overlong '/'
        {"menu \xED\xA0\x80", "the line is not UTF-8 text"},     // a surrogate
        {"menu \xF4\x90\x80\x80", "the line is not UTF-8 text"}, // beyond U+10FFFF
    };
    for (const ErrorCase& test : cases) {
        SCOPED_TRACE(test.text);
        const std::string text = "# first line\n\nclose\n" + std::string(test.text) + "\nclose\n";
        const ScriptParseResult result = parse_script(text);
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->line_number, 4);
        EXPECT_NE(result.error->message.find(test.message_part), std::string::npos)
            << result.error->message;
        EXPECT_TRUE(result.script.lines.empty());
    }
}

TEST(ScriptParserTest, DescribesErrorsWithTheFileAndLine) {
    EXPECT_EQ(
        describe_script_error("demo.script", {3, "expected an action at the end of the line"}),
        "script demo.script, line 3: expected an action at the end of the line");
    const ScriptParseResult missing = load_script("/nonexistent/talvena/none.script");
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(describe_script_error("none.script", *missing.error),
              "script none.script: cannot be read: No such file or directory");
}

// A script is a small regular file: a device, a folder or a file far too large to be a script is
// refused at once, before a line is parsed, and never read into memory whole.
TEST(ScriptParserTest, RefusesWhatCannotBeAScript) {
    test_support::TempFolder folder;
    const std::filesystem::path large = folder.path() / "large.script";
    std::ofstream(large).close();
    std::filesystem::resize_file(large, (1 << 20) + 1);
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {"/dev/zero", "cannot be read: not a regular file"},
        {folder.path(), "cannot be read: not a regular file"},
        {large, "cannot be read: larger than 1048576 bytes"},
    };
    for (const auto& [path, reason] : cases) {
        const ScriptParseResult result = load_script(path);
        ASSERT_TRUE(result.error) << path;
        EXPECT_EQ(result.error->message, reason) << path;
        EXPECT_TRUE(result.script.lines.empty());
    }
}

} // namespace
