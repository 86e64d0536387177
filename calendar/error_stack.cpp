// The error stack of the library routines: names, typed and coded errors, messages, stopping.
#include "calendar/error_stack.h"

#include "calendar/error_message.h"
#include "calendar/machine.h"
#include "calendar/message_output.h"

#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr size_t NAME_LENGTH = 32;
constexpr int32_t MIN_TYPE = -1;
constexpr int32_t MAX_TYPE = 7;
// The message unit is machine_unit's third unit.
constexpr int32_t MESSAGE_UNIT_INDEX = 3;

struct ErrorType {
    std::string_view name;
    bool printed = false;
    bool stops = false;
};

constexpr std::array<ErrorType, MAX_TYPE + 1> ERROR_TYPES{{
    {"        ", false, false},
    {"NOTE    ", false, false},
    {"ALERT   ", false, false},
    {"WARNING ", true, false},
    {"FATAL   ", true, true},
    {"TERMINAL", true, true},
    {"WARNING ", true, false},
    {"FATAL   ", true, true},
}};

// Types -1 and 0 have no entry of their own and behave like the empty entry 0.
const ErrorType& error_type(int32_t type) {
    return ERROR_TYPES[type >= 1 && type <= MAX_TYPE ? static_cast<size_t>(type) : 0];
}

struct StackLevel {
    std::string name = std::string(NAME_LENGTH, ' ');
    int32_t type = 0;
    int32_t code = 0;
    // The message line of the recorded error, kept for printing when the level is popped.
    std::string message_line;
};

struct ErrorStack {
    // Index 0 is unused so that levels count from 1 as the messages do.
    std::array<StackLevel, ERR_STACK_LIMIT + 1> levels;
    int32_t level = 1;
    calendar::SubstitutionValues values;
    ErrStopMode stop_mode = ErrStopMode::stop_program;
    std::function<void(const ErrPosted&)> on_post;

    StackLevel& top() { return levels[static_cast<size_t>(level)]; }
};

ErrorStack& stack() {
    static ErrorStack state;
    return state;
}

std::string padded_name(std::string_view name) {
    std::string result(name.substr(0, NAME_LENGTH));
    result.resize(NAME_LENGTH, ' ');
    return result;
}

std::string_view unpadded(std::string_view name) {
    const size_t end = name.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
}

void print_lines(const std::vector<std::string>& lines) {
    const int32_t unit = machine_unit(MESSAGE_UNIT_INDEX);
    for (const std::string& line : lines)
        calendar::write_message_line(unit, line);
}

// Levels above the user's belong to library routines; those above the routine the user called
// were called from inside the library.
void print_traceback() {
    ErrorStack& state = stack();
    if (state.level <= 1)
        return;
    std::vector<calendar::TracebackLevel> levels;
    for (int32_t level = state.level; level >= 1; --level) {
        const StackLevel& entry = state.levels[static_cast<size_t>(level)];
        levels.push_back({entry.name, entry.type, entry.code, level >= 3});
    }
    print_lines(calendar::layout_traceback(levels));
}

void print_message(int32_t type, std::string_view message_line) {
    print_lines(calendar::layout_message(error_type(type).name, message_line));
    print_traceback();
}

// The message of a posted error starts with its code and routine; the blank before the code
// separates it from the " ERROR" of the heading.
std::string posted_message_line(int32_t code, std::string_view name, std::string_view text) {
    const std::string_view routine = unpadded(name).empty() ? "UNKNOWN ?" : unpadded(name);
    return " " + std::to_string(code) + " from " + std::string(routine) + ".  " + std::string(text);
}

std::string one_line_summary(int32_t type, std::string_view message_line) {
    std::string summary = std::string(unpadded(error_type(type).name)) + " ERROR";
    summary += message_line;
    for (size_t at = summary.find("%/"); at != std::string::npos; at = summary.find("%/", at))
        summary.replace(at, 2, " ");
    return summary;
}

// Misuse of the stack itself: printed as a terminal error and always stopping. Texts that start
// with ".  " end the heading's sentence; the others are set off from it by a blank.
[[noreturn]] void stop_on_misuse(std::string_view message_template) {
    const std::string text = calendar::substitute_values(message_template, stack().values);
    const std::string message_line = text.starts_with('.') ? text : " " + text;
    print_message(ERR_TERMINAL, message_line);
    calendar::stop_program(one_line_summary(ERR_TERMINAL, message_line));
}

void stop_if_flagged(int32_t type, std::string_view message_line) {
    if (error_type(type).stops && stack().stop_mode == ErrStopMode::stop_program)
        calendar::stop_program(one_line_summary(type, message_line));
}

// A level's error that would stop the program is not replaced by one that would not.
void record_error(StackLevel& level, int32_t type, int32_t code, std::string message_line) {
    if (error_type(level.type).stops && !error_type(type).stops)
        return;
    level.type = type;
    level.code = code;
    level.message_line = std::move(message_line);
}

} // namespace

void err_push(std::string_view name) {
    ErrorStack& state = stack();
    if (state.level >= ERR_STACK_LIMIT) {
        err_set_int(1, ERR_STACK_LIMIT);
        stop_on_misuse("Error condition in err_push.  Push would cause stack level to exceed "
                       "%(I1). ");
    }
    ++state.level;
    state.top() = StackLevel{padded_name(name), 0, 0, {}};
}

void err_pop(std::string_view name) {
    ErrorStack& state = stack();
    if (state.level < 2) {
        err_set_text(1, name);
        stop_on_misuse(
            "Error condition in err_pop.  Cannot pop from %(L1) because stack is empty.");
    }
    if (padded_name(name) != state.top().name) {
        err_set_text(1, name);
        err_set_text(2, unpadded(state.top().name));
        stop_on_misuse(
            "Error condition in err_pop.  %(L1) does not match the name %(L2) in the stack.");
    }
    const StackLevel popped = state.top();
    // Printed before passing up, so the traceback shows the stack as the error left it.
    if (popped.type >= 1 && popped.type <= 4 && error_type(popped.type).printed)
        print_message(popped.type, popped.message_line);
    if (popped.type >= 2 && popped.type <= MAX_TYPE)
        record_error(state.levels[static_cast<size_t>(state.level - 1)], popped.type, popped.code,
                     popped.message_line);
    stop_if_flagged(popped.type, popped.message_line);
    state.top() = StackLevel{};
    --state.level;
}

void err_set_int(int32_t index, int32_t value) {
    if (index >= 1 && index <= static_cast<int32_t>(calendar::SUBSTITUTION_VALUE_COUNT))
        stack().values.integers[static_cast<size_t>(index - 1)] = std::to_string(value);
}

void err_set_text(int32_t index, std::string_view text) {
    const int64_t magnitude = std::llabs(static_cast<int64_t>(index));
    if (magnitude >= 1 && magnitude <= static_cast<int64_t>(calendar::SUBSTITUTION_VALUE_COUNT))
        stack().values.texts[static_cast<size_t>(magnitude - 1)] =
            std::string(text.substr(0, calendar::MAX_TEXT_VALUE_LENGTH));
}

void err_post(int32_t type, int32_t code, std::string_view message_template) {
    if (type < MIN_TYPE || type > MAX_TYPE)
        stop_on_misuse(".  Error from err_post.  Illegal error type specified. ");
    ErrorStack& state = stack();
    StackLevel& level = state.top();
    const std::string text = calendar::substitute_values(message_template, state.values);
    std::string message_line = posted_message_line(code, level.name, text);
    record_error(level, type, code, message_line);
    if (state.on_post)
        state.on_post({unpadded(level.name), state.level, type, code, text});
    const bool printed_now = type >= 5 || state.level == 1;
    if (printed_now && error_type(type).printed)
        print_message(type, message_line);
    if (state.level == 1)
        stop_if_flagged(type, message_line);
}

int32_t err_level_type(int32_t selector) {
    if (selector != 0 && selector != 1)
        stop_on_misuse(".  The argument passed to err_level_type must be 0 or 1. ");
    return stack().top().type;
}

void err_set_stop_mode(ErrStopMode mode) {
    stack().stop_mode = mode;
}

void err_set_hooks(ErrHooks hooks) {
    stack().on_post = std::move(hooks.on_post);
    calendar::set_line_writer(std::move(hooks.on_write_line));
}
