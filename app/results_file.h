// The results file talvena.rtr: its header, the fixed-column records of the vision test and of
// the training, appending a record, and reading the history back.
//
// The file is CP1251 text with CR LF line ends. It only grows: a record is appended whole (one
// write of the line with its CR LF, flushed to stable storage) or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

inline constexpr const char* RESULTS_FILE_NAME = "talvena.rtr";
inline constexpr int32_t RESULTS_APPEND_UNIT = 17;
inline constexpr int32_t RESULTS_READ_UNIT = 12;

// The local date and time a record carries.
struct ResultsStamp {
    int32_t day = 1;
    int32_t month = 1;
    int32_t year = 1970;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;

    friend bool operator==(const ResultsStamp&, const ResultsStamp&) = default;
};

// The local date and time now (app_get_date_time).
ResultsStamp app_results_stamp_now();

struct VisionRecord {
    ResultsStamp stamp;
    float distance_cm = 0.0f;
    float diagonal_in = 0.0f;
    int32_t screen_ny = 0;
    int32_t screen_nx = 0;
    float acuity = 0.0f;
};

struct TrainingRecord {
    ResultsStamp stamp;
    float distance_cm = 0.0f;
    int32_t cell_size = 0;
    int32_t images = 0;
    int32_t correct = 0;
    int32_t wrong = 0;
    int32_t unanswered = 0;
    float mean_time = 0.0f;
    int32_t pushups = 0;
};

// The column-header line, 115 characters of CP1251, without a line end.
std::string app_results_header();
// A record line, CP1251 without a line end: 80 characters for a vision test, 115 for a
// training. Columns 1-43 are shared: " DD.MM.YYYYг,  HHчас MMмин SSсек, D=" and the distance
// (F7.1); then "см  DD=" with the diagonal, screen rows and columns and the acuity, or "см  Is="
// with K, images, correct, wrong and unanswered answers, the mean time (F8.2) and the push-ups.
// A value that does not fit its field is written as asterisks, and the line is still whole.
std::string app_format_vision_record(const VisionRecord& record);
std::string app_format_training_record(const TrainingRecord& record);

// What became of an append.
struct AppendOutcome {
    bool written = false;
    // When not written: "<file>: <what failed>: <the system's reason>" in UTF-8, e.g.
    // "/home/u/talvena.rtr: cannot write: No space left on device"; what failed is one of
    // "cannot open", "cannot write", "cannot flush", "cannot close". For the trace.
    std::string reason;
    // The same for the user, in Russian (app_action_text, app_error_text), e.g.
    // "/home/u/talvena.rtr: не удалось записать: на диске не осталось места".
    std::string reason_shown;
};

// The outcome of an append that failed at `action` ("cannot open", ...) with the errno `error`.
AppendOutcome app_append_failure(const std::filesystem::path& path, const char* action, int error);

// Appends one record line (CP1251, no line end) to the results file at `path`: opened "old"
// for appending; when that fails because the file is missing, created "new" with the header
// line first. The line goes in one write with its CR LF and is flushed to stable storage before
// the call returns. On any failure the file is left exactly as it was (a file this call created
// is removed again) and the reason is returned; the program goes on.
AppendOutcome app_append_results_line(const std::filesystem::path& path, std::string_view line);

// The results file of this run, talvena.rtr in the data folder, as an absolute path: the file
// the status bar and the trace name.
std::filesystem::path app_results_file_shown();

// Appends the record to talvena.rtr in the data folder (made first when it is the user's data
// folder and missing: app_create_data_folder) and tells the trace (`record kind=vision` or
// `record kind=training`; on failure `record-failed kind=... reason=...`). Nothing is shown:
// the caller puts its result on screen first and then reports a failure with
// app_report_record_failure, so that the result stays in view while the user reads why it was
// not kept. Application thread.
AppendOutcome app_append_vision_record(const VisionRecord& record);
AppendOutcome app_append_training_record(const TrainingRecord& record);

// For an outcome that was not written: an error box with the program's caption (the
// framework's program title, "talvena") and the text
// "Результат не записан в файл talvena.rtr:\n<reason_shown>", waiting for OK; the program goes on.
// Nothing for a written outcome. Application thread.
void app_report_record_failure(const AppendOutcome& outcome);

// --- Reading the history back -------------------------------------------------------------

// How a reading pass ended.
struct ResultsPass {
    bool opened = false;      // false: no file (or it could not be opened): no data
    int open_error = 0;       // when not opened: the errno of the open (ENOENT: no file;
                              // EINVAL: not a regular file)
    int32_t records = 0;      // lines read after the header
    int32_t stopped_line = 0; // the file line (1-based, header = 1) that could not be read or
                              // parsed and ended the pass; 0 when read to the end
};

// Both passes open the file anew on unit 12 and pass over line 1 whatever it holds (a file that
// lacks the header loses its first record, as it always has). A line whose fields cannot be read
// (asterisks, letters in a number, a date that does not exist such as 31 April) ends the pass;
// what came before it is kept. Application
// thread: the units are the program's own.

// Pass 1: the date and time of every record line after the header, in file order (columns 2-3,
// 5-6, 8-11, 16-17, 22-23 and 28-29), until the end of the file or the first line that cannot be
// read. A line is read as pass 2 reads it, values and all, so that both passes stop at the same
// line.
ResultsPass app_read_results_dates(const std::filesystem::path& path,
                                   const std::function<void(const ResultsStamp&)>& on_record);

// One record as pass 2 sees it.
struct ResultsEntry {
    enum class Kind { other, vision, training };
    Kind kind = Kind::other; // other: a line that is neither; it contributes nothing
    ResultsStamp stamp;
    float distance_cm = 0.0f;
    float acuity = 0.0f;    // vision
    int32_t cell_size = 0;  // training
    int32_t images = 0;     // training
    float mean_time = 0.0f; // training
    int32_t pushups = 0;    // training
};

// Pass 2: every record line after the header, whole (at most 120 characters), with its values,
// until the end of the file or the first line that cannot be read or parsed. Columns 48-49 tell
// the kind: "DD" a vision test (distance 37-43, acuity 77-80), "Is" a training (distance, K
// 51-54, images 60-63, mean time 97-103, push-ups 112-115); anything else is kind other, counted
// but without values.
ResultsPass app_read_results_values(const std::filesystem::path& path,
                                    const std::function<void(const ResultsEntry&)>& on_record);
