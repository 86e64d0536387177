// Start-up of a scripted run: reading the script and putting the run-time into the asked state.
#pragma once

#include "scripted/options.h"
#include "scripted/script.h"

#include <optional>
#include <string>

namespace scripted {

// The outcome of preparing a run: the script to run (when --script was given), or the message
// with which the program refuses to start.
struct RunSetup {
    std::optional<Script> script;
    std::optional<std::string> error;
};

// Call at start-up, before any other thread runs and before anything is drawn or traced. In this
// order: reads the script (a script with an error starts nothing, not even the trace); checks the
// data folder and creates the snapshot folder; switches to the virtual clock at the start time
// (default DEFAULT_START_TIME) when asked; opens the trace, so that it holds every event. A run
// with a script, headless or on the virtual clock opens no help file in a viewer.
RunSetup apply_run_options(const RunOptions& options);

// The snapshot folder the options name ("." when none).
std::filesystem::path snapshot_folder(const RunOptions& options);

} // namespace scripted
