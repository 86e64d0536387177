// Ending the program: STOP with and without a text, and the run-time's fatal error.
#pragma once

#include <functional>
#include <string_view>

// What happens when the program stops. The run-time does the plain thing (standard error,
// process exit); the window framework replaces these to show the user what happened.
struct RtStopHooks {
    // STOP with a text: the text is UTF-8. Must not return; when unset, the text is written to
    // standard error and the process ends with code 0.
    std::function<void(std::string_view text)> on_stop_with_text;
    // A run-time fatal error; the message is UTF-8 and names the file and the reason. Must not
    // return; when unset, the message goes to standard error and the process ends with code 2.
    std::function<void(std::string_view message)> on_fatal_error;
    // Called last before a STOP without text ends the process (with code 0).
    std::function<void()> on_exit;
};

// Replaces the hooks; call before the application thread starts.
void rt_set_stop_hooks(RtStopHooks hooks);

// Runs `action` when the program stops, in registration order, before the process ends:
// the run-time uses it to flush and close its units. Thread-safe.
void rt_at_stop(std::function<void()> action);

// Runs the registered stop actions once; later calls do nothing. Thread-safe.
void rt_run_stop_actions();

// STOP without a text: closes everything and ends the process at once with code 0.
[[noreturn]] void rt_stop();
// STOP with a text (UTF-8).
[[noreturn]] void rt_stop_with_text(std::string_view text);
// The run-time's fatal error (UTF-8): an I/O failure with no error branch.
[[noreturn]] void rt_fatal_error(std::string_view message);
