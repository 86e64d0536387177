// The program's CSV files beside talvena.rtr (talvena-trials.csv, talvena-tests.csv): their
// fields, and appending lines to them so that a failure leaves the file as it was.
#pragma once

#include "app/results_file.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Fixed decimals in the C way whatever the program's locale: a decimal comma would split a field.
std::string app_csv_fixed(double value, int decimals);

// A text field, quoted when it holds a comma, a quote or a line end.
std::string app_csv_text(const std::string& text);

// A moment as 2026-12-10T10:00:00.
std::string app_csv_stamp(const ResultsStamp& at);

// Appends `lines` (each ended by "\n") at `path` in one write, with `header` and "\n" first when
// the file is new, then flushes to stable storage. On failure the file is left as it was (a file
// this call created is removed again, an existing one cut back to its size before) and the reason
// names the file and the system's reason.
AppendOutcome app_append_csv(const std::filesystem::path& path, std::string_view header,
                             const std::string& lines);

// Appends with `append` to `file_name` in the data folder, made when missing; a failure is
// written to the trace as `record-failed kind=KIND reason=...` and the program goes on.
// Application thread.
void app_save_in_data_folder(
    const char* file_name, const char* kind,
    const std::function<AppendOutcome(const std::filesystem::path&)>& append);

// app_append_csv into `file_name` in the data folder, as app_save_in_data_folder does.
void app_save_csv(const char* file_name, const char* kind, std::string_view header,
                  const std::string& lines);
