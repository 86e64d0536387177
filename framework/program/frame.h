// The frame window's settings: placing it before and after it exists, child window states, and
// the question at the end of the run.
#pragma once

#include "framework/windows/child_window.h"

#include <cstdint>

// The settings record: state 1 minimise, 2 maximise, 3 normal, 4 place and size; height comes
// before width.
struct gw_window_settings {
    int16_t state = 3;
    int16_t x = 0;
    int16_t y = 0;
    int16_t height = 0;
    int16_t width = 0;
};

// The frame (GW_FRAME_WINDOW_NUMBER): before it exists the settings are only recorded (result -1
// during app_initial_settings, else 0); afterwards the frame is shown by the state, and state 4
// gives its child-window area width x height. A child window: shown by the state; state 4 places
// it in text cells. A child window without a configuration gets the default one first on the
// application thread; on any other thread the call fails. Result 0 with graphics status 0; -1
// for a window that is not open, during the initial settings, or for an unknown state (status
// -4).
int32_t gw_set_window_state(int32_t window_number, const gw_window_settings& settings);

// The end of the run, by exit mode: ask "Program Terminated with exit code N\nExit Window?"
// (Yes closes the frame, No keeps everything until the user closes it), close the frame, or
// keep everything open. With No the call returns only when the program ends.
void gw_exit_prompt(int32_t exit_code);

namespace framework {

struct FrameSettings {
    bool applied = false;
    int32_t state = 0;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};
// What was recorded before the frame existed. GUI thread, at start-up.
FrameSettings recorded_frame_settings();

// Whether the program is still starting (the initial settings run) or has started.
enum class StartupPhase : uint8_t { starting, started };
void set_startup_phase(StartupPhase phase);
// True while starting. Thread-safe.
bool in_startup();
// From now on gw_set_window_state acts on the frame. GUI thread, at start-up.
void set_frame_created();

// Tells the framework whether the calling thread runs the application's main program: only that
// thread gives an unconfigured child window its default configuration in gw_set_window_state.
enum class ThreadRole : uint8_t { application, other };
void mark_application_thread(ThreadRole role);

} // namespace framework
