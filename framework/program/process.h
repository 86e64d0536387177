// The hand-off to the GUI thread and the end of the process: the two things every part of the
// program needs, the error boxes included, without reaching the window system's wiring.
#pragma once

#include <cstdint>
#include <functional>

// Appends a routine run by the fatal-error path: 1, or 0 when 32 are registered. Thread-safe.
int32_t gw_register_cleanup(void (*routine)());

namespace framework {

// True once the frame exists and until the program ends. Thread-safe.
bool gui_running();
// Marks the window system as running; attach_window_system calls it once the frame exists.
void set_gui_running();

// Runs `work` on the GUI thread and waits for it (at once on the GUI thread). False, with
// `work` not run, when there is no window system or the program is ending. Never call it while
// holding a surface lock. Thread-safe.
bool on_gui_and_wait(std::function<void()> work);
// Runs `work` later on the GUI thread; nothing without a window system. Thread-safe.
void on_gui_later(std::function<void()> work);

// Runs the clean-up list in registration order (the fatal-error path).
void run_cleanups();

// Whether the end of the process runs the run-time's stop actions (flushing and closing units).
enum class StopActions : uint8_t { run, skip };

// Ends the process with `code`: writes the trace's `exit code=`, runs the run-time's stop
// actions unless told to skip them, and exits at once without unwinding other threads. When
// several threads end the program at once the first one decides the code; the others wait for
// the end. From the start of the end the virtual clock stands still and only this thread's
// events reach the trace. Thread-safe.
[[noreturn]] void end_process(int32_t code, StopActions stop_actions = StopActions::run);
// Waits until another thread ends the process (the user closes the frame). The GUI thread keeps
// its event loop running; any other thread waits in the run-time's wait, so that on the virtual
// clock time goes on to the scripted user's next action while the program waits for its user.
[[noreturn]] void wait_for_process_end();

} // namespace framework
