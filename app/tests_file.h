// The file talvena-tests.csv: one line per finished vision test with its result, the estimate
// from all its answers and the viewing parameters, for a closer look than talvena.rtr gives.
//
// UTF-8 with LF line ends, a header line when the file is created, written as talvena-trials.csv
// is: one write, flushed, and on failure the file is left as it was.
#pragma once

#include "app/acuity_estimate.h"
#include "app/results_file.h"

#include <filesystem>
#include <string>

inline constexpr const char* TESTS_FILE_NAME = "talvena-tests.csv";

// The header line, without its line end:
// started,result,limit,estimate_acuity,estimate_logmar,low,high,answers,duration_s,
// distance_cm,diagonal_in,nx,ny
std::string app_tests_header();

struct FinishedVisionTest {
    ResultsStamp started;
    float result = 0.0f;
    bool limit = false; // the result is the best level the screen can show
    AcuityEstimate estimate;
    double duration_s = 0.0; // from the first ring to the result
    float distance_cm = 0.0f;
    float diagonal_in = 0.0f;
    int32_t nx = 0;
    int32_t ny = 0;
};

// One line, without its line end. The result and the acuities with 2 decimals, the logMAR with
// 3, the duration with 1; low and high are the interval's ends as acuities, each left empty
// when the interval is open on that side (the answers do not bound it there).
std::string app_format_finished_test(const FinishedVisionTest& test);

// Appends the line at `path`, the header first when the file is new.
AppendOutcome app_append_finished_test(const std::filesystem::path& path,
                                       const FinishedVisionTest& test);

// The same into talvena-tests.csv in the data folder; a failure is written to the trace as
// `record-failed kind=tests reason=...` and the program goes on. Application thread.
void app_save_finished_test(const FinishedVisionTest& test);
