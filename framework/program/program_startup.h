// Start-up: from the process start to the application's main program on its own thread, and
// the hooks that end the program on STOP and fatal errors.
#pragma once

#include <cstdint>
#include <functional>

// What the application gives the framework: it does not link the application.
struct GwApplication {
    // app_initial_settings: runs on the GUI thread before the frame exists; 0 reports failure.
    std::function<int32_t()> initial_settings;
    // app_main: the main program, run on the application thread.
    std::function<void()> main;
    // Runs on the GUI thread once the frame and the default window exist, before the main
    // program starts (the scripted user and the trace attach here). May be empty.
    std::function<void()> on_ready;
};

struct GwStartupOptions {
    bool headless = false; // no display: the offscreen platform
    // Called when the display named cannot be opened, inside the window system's start; it must
    // end the process. Without it the process ends with status 1.
    void (*on_no_display)() = nullptr;
};

// Starts the window system, builds the frame (calling initial_settings before it exists), opens
// the hidden default window, starts the application thread one priority step below the GUI
// thread and runs the event loop. The process ends inside (exit code 0 when the frame closes);
// the call returns 0 only when the window system cannot be started.
int gw_startup(int argc, char** argv, const GwApplication& application,
               const GwStartupOptions& options = {});

namespace framework {

// The first part of gw_startup, on the calling thread (which becomes the GUI thread): window
// system, initial settings, frame, menus, run state, default window, stop hooks and on_ready.
// The application thread is not started and the event loop not run. False when the window
// system cannot be started.
bool build_frame(int argc, char** argv, const GwApplication& application,
                 const GwStartupOptions& options);

} // namespace framework
