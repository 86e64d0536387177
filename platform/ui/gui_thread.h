// The GUI thread: the application object, its event loop, and handing work to it.
#pragma once

#include <functional>

namespace ui {

// Called when the window system cannot be started; it must end the process.
using NoDisplayExit = void (*)();

// Creates the application object on the calling thread, which becomes the GUI thread. With
// `headless` the offscreen platform is used (no display needed). Call once, before any other
// function here. `argv` must outlive the program. False, before the toolkit is touched, when no
// display is named at all (neither DISPLAY nor WAYLAND_DISPLAY, and no platform in
// QT_QPA_PLATFORM). A display that is named but cannot be opened makes the toolkit give up
// inside: then `no_display` is called instead of the toolkit's abort (without it, the process
// ends with status 1).
bool start_application(int argc, char** argv, bool headless, NoDisplayExit no_display = nullptr);

// True when the application object exists.
bool application_started();

// Runs the event loop until quit_event_loop; returns the code given there. GUI thread only.
int run_event_loop();
// Ends the event loop with `code`. Thread-safe.
void quit_event_loop(int code);

// True on the GUI thread. Thread-safe.
bool on_gui_thread();

// Runs `work` on the GUI thread later, in posting order. Thread-safe.
void post(std::function<void()> work);

// Runs `work` on the GUI thread and waits for it: at once when called there, otherwise posted
// and awaited. The GUI thread never waits for the caller, so neither side can deadlock. Returns
// false, without waiting further, once cancel_waiting_calls has been called (the program is
// ending); `work` may then still run or not. Thread-safe.
bool call(std::function<void()> work);

// Releases every caller of call() now and from now on. Thread-safe.
void cancel_waiting_calls();

// The longest time between the clicks of a double click. GUI thread.
void set_double_click_time(int milliseconds);

// GUI thread: processes events until `done` returns true (checked after every batch of events).
void run_nested_loop_until(const std::function<bool()>& done);
// GUI thread: processes events for ever; the program ends from inside an event.
[[noreturn]] void run_nested_loop_forever();

} // namespace ui
