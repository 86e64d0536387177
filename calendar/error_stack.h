// The error stack of the library routines: names, typed and coded errors, messages, stopping.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

// Error types. A type's name is printed in its messages; the print and stop flags say what a
// posted error of the type does:
//   1 "NOTE    "  not printed, does not stop     5 "TERMINAL" printed, stops
//   2 "ALERT   "  not printed, does not stop     6 "WARNING " printed, does not stop
//   3 "WARNING "  printed, does not stop          7 "FATAL   " printed, stops
//   4 "FATAL   "  printed, stops
// Types -1 and 0 are recorded but neither printed nor stopping. The library's own argument
// checks post ERR_TERMINAL for invalid input and ERR_NOTE for information.
inline constexpr int32_t ERR_NOTE = 1;
inline constexpr int32_t ERR_TERMINAL = 5;

// The deepest stack: level 1 is the user's program, so 49 routine names can be pushed.
inline constexpr int32_t ERR_STACK_LIMIT = 50;

// The stack, the substitution values and the settings are program-wide and set up on the first
// call of any routine here; none of these routines is thread-safe.

// Pushes a library routine's name (cut or blank-padded to 32 characters) with no error at its
// level; every library routine calls it first. Past ERR_STACK_LIMIT levels it prints a message
// and stops the program.
void err_push(std::string_view name);

// Pops the name that the innermost err_push pushed; every library routine calls it last, also
// after an error. The level's error of type 2 .. 7 passes to the calling level. An error of type
// 1 .. 4 is printed now when its type is printed (5 .. 7 were printed when posted), and an error
// whose type stops does so now. Popping an empty stack or a name other than the innermost one
// prints a message and stops the program.
void err_pop(std::string_view name);

// Sets integer value `index` (1 .. 9) for "%(I<index>)" in templates; other indices are ignored.
void err_set_int(int32_t index, int32_t value);

// Sets text value |index| (1 .. 9) for "%(L<index>)", cut to 255 characters; other indices are
// ignored.
void err_set_text(int32_t index, std::string_view text);

// Posts an error at the current level: records its type and code, substitutes the values into
// `message_template` (at most 1024 characters result) and prints a message of type 5, 6 or 7 at
// once when its type is printed. A level keeps an error that stops the program when a later
// post at the same level would not stop it, so a note after a terminal error cannot cancel the
// stop. At the user's level, which is never popped, the post also prints and stops as a pop
// would. A type outside -1 .. 7 prints a message and stops the program.
void err_post(int32_t type, int32_t code, std::string_view message_template);

// The error type recorded at the current level, 0 when none was posted. `selector` must be 0
// or 1 (both give the same answer); any other value prints a message and stops the program.
int32_t err_level_type(int32_t selector);

// What an error whose type stops the program does when its level is popped. The program keeps
// `stop_program`; `keep_running` is for a caller that checks err_level_type itself, such as a
// test, and leaves everything else (recording, passing up, printing) as it is. Misuse of the
// stack itself always stops.
enum class ErrStopMode { stop_program, keep_running };
void err_set_stop_mode(ErrStopMode mode);

// One posted error as err_post recorded it; the views last for the call of on_post only.
struct ErrPosted {
    std::string_view routine; // without its padding blanks; empty at the user's level
    int32_t level = 1;
    int32_t type = 0;
    int32_t code = 0;
    std::string_view text; // after substitution
};

// Observers of the error stack. Unset members restore the defaults.
struct ErrHooks {
    // Called for every accepted err_post, before anything is printed or stopped.
    std::function<void(const ErrPosted& posted)> on_post;
    // Receives every printed line in place of the unit it is written on.
    std::function<void(int32_t unit, std::string_view line)> on_write_line;
};
void err_set_hooks(ErrHooks hooks);
