// Running the talvena program itself, headless on the virtual clock with a scripted user, and
// reading what it leaves behind: its exit code, its trace and its snapshots.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

// One line of a trace: `<time> <event> key=value ...`.
struct TraceEvent {
    double time = 0.0;
    std::string name;
    std::vector<std::pair<std::string, std::string>> fields;

    // The value written for `key`, or "" when the event has no such key.
    std::string value(std::string_view key) const;
    // The line without its time: "figure K=2 side=1".
    std::string text() const;
};

// What a finished run left behind.
struct ProgramRun {
    // The program's exit code; 124 when `timeout` had to end it, -1 when it did not exit.
    int exit_code = -1;
    // The run's working folder: script, trace, snapshots and the program's output.
    std::filesystem::path folder;
    std::vector<TraceEvent> trace;
    // What the program wrote to standard output and standard error.
    std::string output;

    // The whole trace without times, one event a line: for failure messages.
    std::string trace_text() const;
    // The first event of that name after position `from` whose text begins with `prefix`, or
    // trace.size().
    size_t find(std::string_view prefix, size_t from = 0) const;
    // The events from position `from` on, in brief: figures and pauses by their size only and
    // rings by their level (side and tilt are the seed's business), messages by their caption,
    // the results file by where it came from (its path is the run's), the status bar's texts
    // left out; the others as written.
    std::vector<std::string> steps(size_t from = 0) const;
    // The user's data folder of the run ($XDG_DATA_HOME/talvena): where the results go when the
    // working folder holds no talvena.rtr at the start and no --data-dir is given.
    std::filesystem::path user_data_folder() const;
    // The snapshot `name`.png of the drawing window, or `name`-frame.png of the whole frame.
    std::filesystem::path snapshot(std::string_view name) const;
};

// How the program is started.
struct RunOptions {
    int seed = 5;
    std::string start_time = "2026-12-10T10:00:00";
    // Called with the run's folder, its working and data folder, before the program starts:
    // a results file to begin with, or something in its place.
    std::function<void(const std::filesystem::path& folder)> prepare = {};
    // More options for the program, after those of every run.
    std::vector<std::string> arguments = {};
};

// Accepts the parameter dialog's defaults as soon as it is shown: where most scripts start.
inline const std::string ACCEPT_DEFAULTS = "on dialog-shown id=101 dialog press 1\n";

// Runs the program under `timeout 60` with `script`, in a fresh folder named after the running
// test and `label` (under the build tree, kept for a look after a failure). The folder also
// serves as XDG_CONFIG_HOME and holds the XDG_RUNTIME_DIR and XDG_DATA_HOME, so that nothing of
// the user's settings or files takes part; LANGUAGE is ru, so that a run on a real display is
// Russian whatever the machine's locale. talvena.sym is the one the build puts beside the
// executable.
ProgramRun run_program(std::string_view label, std::string_view script,
                       const RunOptions& options = {});

// Runs any command in such a fresh folder, also under `timeout 60`, after `prepare` has had the
// folder; its trace is read from `trace` (relative to the folder) when it names a file.
ProgramRun
run_command(std::string_view label, const std::vector<std::string>& command,
            const std::filesystem::path& trace = {},
            const std::function<void(const std::filesystem::path& folder)>& prepare = {});

// The executable under test and the figure data beside it.
std::filesystem::path program_path();
std::filesystem::path figure_data_path();

// The lines one after the other, each ended by a newline: steps compared as one text, so that a
// failure shows both sides whole.
std::string joined_lines(const std::vector<std::string>& lines);

// Reads a trace file; lines that are not events are skipped.
std::vector<TraceEvent> read_trace(const std::filesystem::path& path);

} // namespace e2e
