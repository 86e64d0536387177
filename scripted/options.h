// The command-line options of scripted, deterministic runs, and how they are read.
#pragma once

#include "platform/language/language_choice.h"
#include "runtime/date_time.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace scripted {

// What the command line asked for. Paths left empty were not given.
struct RunOptions {
    bool headless = false;
    bool virtual_clock = false;
    // The random generator is seeded by exactly this many advances instead of the time of day.
    std::optional<int32_t> seed;
    // The local date and time at virtual time 0; used only with the virtual clock.
    std::optional<RtDateTime> start_time;
    std::filesystem::path data_dir;     // folder of talvena.rtr and talvena.sym; empty: the default
    std::filesystem::path config_dir;   // folder of the remembered parameters
    std::filesystem::path script;       // the scripted user
    std::filesystem::path trace;        // the trace file
    bool trace_texts = false;           // the trace also tells every text drawn
    std::filesystem::path snapshot_dir; // folder of the snapshot files; empty: "."
    // Dialog templates read from this file instead of the built-in ones (an empty file: none).
    std::filesystem::path dialog_templates;
    // The language of the run's texts; nothing: the locale's (Russian for repeatable runs).
    std::optional<language::Language> language;
    bool help = false;
    bool version = false;
};

// The start time of a virtual clock when --start-time is not given, so that a run without it
// still repeats exactly.
inline constexpr RtDateTime DEFAULT_START_TIME{2000, 1, 1, 0, 0, 0};

// Either the options or a message naming the option and what it expects.
struct RunOptionsResult {
    RunOptions options;
    std::optional<std::string> error;
};

// Reads the arguments after the program name. Each option takes its value as the next argument
// or after '=' (`--seed 7`, `--seed=7`). Unknown options, other arguments, missing or invalid
// values and an option given twice are errors.
RunOptionsResult parse_run_options(std::span<const std::string_view> arguments);

// The text of --help.
std::string run_options_usage(std::string_view program_name);

} // namespace scripted
