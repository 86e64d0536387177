// The per-trial file talvena-trials.csv: every ring of a vision test and every image of a
// training, one line each, for a closer look than talvena.rtr gives.
//
// UTF-8 with LF line ends; a header line when the file is created; the trials of one activity
// are appended in one write when it ends, finished or aborted.
#pragma once

#include "app/results_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* TRIALS_FILE_NAME = "talvena-trials.csv";

// The header line, without its line end:
// started,activity,trial,level,cell_size,side,tilt,gap_px,verdict,answer_s,completed,gap_drawn_px
std::string app_trials_header();

// One ring or image. Fields that do not belong to the activity stay empty in the file: level,
// tilt and both gaps for a training, cell size for a vision test.
struct Trial {
    int32_t number = 0;                 // ring or image number within the activity, from 1
    std::optional<float> level;         // vision: the acuity of the ring's level
    std::optional<int32_t> cell_size;   // training: K
    int32_t side = 0;                   // +1 right, -1 left
    std::optional<int32_t> tilt;        // vision: -45, 0 or 45 degrees
    std::optional<double> gap_px;       // vision: the level's ideal gap in device pixels
    std::string verdict;                // correct, wrong, none, repeat
    std::optional<double> answer_s;     // answered rings and images only
    std::optional<double> gap_drawn_px; // vision: the ring's gap as drawn, in device pixels
};

// The trials of one activity: "vision" or "training", started at `started`.
struct TrialLog {
    ResultsStamp started;
    std::string activity;
    std::vector<Trial> trials;
};

// One line of the file, without its line end. The start is written 2026-12-10T10:00:00, the
// level with two decimals, the gap and the answer time with three (always with a decimal point,
// whatever the locale); side is 1 or -1, completed 1 or 0; an unanswered trial has an empty
// answer time. A field of the other activity stays empty even when the trial carries it.
std::string app_format_trial(const TrialLog& log, const Trial& trial, bool completed);

// Appends the log's trials at `path` in one write (with the header first when the file is
// new). A file of the earlier layout, without the last column, is first brought to this one
// (its lines get an empty last field) by writing it anew beside itself and renaming it over
// the old one; flushed to stable storage before the call returns. A log without trials writes
// nothing and counts as written. On failure the file is left as it was (a file this call created is
// removed again) and the reason names the file and the system's reason, e.g.
// "/data/talvena-trials.csv: cannot write: No space left on device".
AppendOutcome app_append_trials(const std::filesystem::path& path, const TrialLog& log,
                                bool completed);

// The same into talvena-trials.csv in the data folder; a failure is written to the trace as
// `record-failed kind=trials reason=...` and the program goes on (no message box: the results
// record is what the user is told about). Application thread.
void app_save_trials(const TrialLog& log, bool completed);
