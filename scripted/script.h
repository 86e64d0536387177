// The scripted user's script: its lines as data, and the parser that reads them from text.
#pragma once

#include "scripted/script_target.h"
#include "scripted/simulated_observer.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scripted {

// When a line fires. `at`: when the clock reaches `delay_us`. `after`: `delay_us` after the
// previous line fired (the first line: after the start). `on`: `delay_us` after the first trace
// event named `event` with all the `keys` values that is written after the previous line fired.
enum class TriggerKind : uint8_t { at, after, on };

struct ScriptTrigger {
    TriggerKind kind = TriggerKind::after;
    int64_t delay_us = 0;
    std::string event;
    std::vector<std::pair<std::string, std::string>> keys;

    friend bool operator==(const ScriptTrigger&, const ScriptTrigger&) = default;
};

enum class ActionKind : uint8_t {
    press,
    release,
    click,
    menu,
    help,
    key,
    dialog_set,
    dialog_press,
    answer,
    observer,
    snapshot,
    close
};

// One action; only the fields its kind names are used: buttons and point (press, release, click),
// text (menu label for menu and help, key name, dialog text, snapshot name), control_id
// (dialog_set, dialog_press), correct (answer), observer (observer; nothing for `observer off`).
struct ScriptAction {
    ActionKind kind = ActionKind::close;
    ScriptButtons buttons = ScriptButtons::left;
    std::optional<ScriptPoint> point;
    std::string text;
    int32_t control_id = 0;
    bool correct = true;
    std::optional<ObserverModel> observer;

    friend bool operator==(const ScriptAction& a, const ScriptAction& b) {
        const bool same_point =
            a.point.has_value() == b.point.has_value() &&
            (!a.point || (a.point->x == b.point->x && a.point->y == b.point->y));
        return a.kind == b.kind && a.buttons == b.buttons && same_point && a.text == b.text &&
               a.control_id == b.control_id && a.correct == b.correct &&
               a.observer.has_value() == b.observer.has_value() &&
               (!a.observer || (a.observer->acuity == b.observer->acuity &&
                                a.observer->spread == b.observer->spread &&
                                a.observer->lapse == b.observer->lapse &&
                                a.observer->seconds == b.observer->seconds));
    }
};

struct ScriptLine {
    int32_t line_number = 0; // 1-based line of the script file, for script-error
    ScriptTrigger trigger;
    ScriptAction action;
};

struct Script {
    std::vector<ScriptLine> lines;
};

struct ScriptParseError {
    int32_t line_number = 0; // 0: the file itself (cannot be read)
    std::string message;     // what was expected, and what was found
};

// Either a script or the first error in it.
struct ScriptParseResult {
    Script script;
    std::optional<ScriptParseError> error;
};

// Reads a whole script (UTF-8; a byte-order mark and CR LF line ends are accepted).
ScriptParseResult parse_script(std::string_view text);

// Reads the script file at `path`.
ScriptParseResult load_script(const std::filesystem::path& path);

// "script FILE, line N: MESSAGE", for the message with which the program refuses to start.
std::string describe_script_error(const std::filesystem::path& path, const ScriptParseError& error);

} // namespace scripted
