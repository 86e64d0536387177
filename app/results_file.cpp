// The results file talvena.rtr: record layouts, appending a record and the two reading passes.
#include "app/results_file.h"

#include "app/data_folder.h"
#include "app/failure_reasons.h"
#include "calendar/day_number.h"
#include "framework/program/error_reports.h"
#include "framework/program/program_state.h"
#include "platform/language/catalogue.h"
#include "runtime/date_time.h"
#include "runtime/trace.h"
#include "runtime/units.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t VISION_RECORD_LENGTH = 80;
constexpr size_t TRAINING_RECORD_LENGTH = 115;
// Pass 2 reads this much of every line; the columns after it are never looked at.
constexpr size_t READ_LINE_LENGTH = 120;

// The start every record shares, columns 1-43: the date, the time and the viewing distance.
constexpr std::string_view RECORD_START =
    "(1X,I2.2,'.',I2.2,'.',I4,'г,  ',I2,'час ',I2,'мин ',I2,'сек, D=',F7.1,";

// Function-local formats: parsed once, on first use, never before main.
const RtFormat& header_format() {
    static const RtFormat format("('     Дата             Время        Дальность    Размер "
                                 "Nпоказов Nверн_отв Nошибок Nнет_отв Ср.вр._отв    Nотжиманий')");
    return format;
}

const RtFormat& vision_format() {
    static const RtFormat format(std::string(RECORD_START) +
                                 "'см  DD=',F4.1,'  ny=',I4,' nx=',I4,' OZ2=',F4.2)");
    return format;
}

const RtFormat& training_format() {
    static const RtFormat format(std::string(RECORD_START) +
                                 "'см  Is=',I4,'  Nп=',I4,' Nв=',I4,' Nош=',I4,' Nно=',I4,"
                                 "' t_ср=',F8.2,'с  Nотж=',I4)");
    return format;
}

// The date and time of a record: columns 2-3, 5-6, 8-11, 16-17, 22-23 and 28-29.
const RtFormat& date_layout() {
    static const RtFormat format("(1X,I2,1X,I2,1X,I4,4X,I2,4X,I2,4X,I2)");
    return format;
}

// Distance (37-43) and acuity (77-80) of a vision-test record.
const RtFormat& vision_values_layout() {
    static const RtFormat format("(36X,F7.0,33X,F4.0)");
    return format;
}

// Distance (37-43), K (51-54), images (60-63), mean time (97-103) and push-ups (112-115) of a
// training record. The mean time is read from its last seven columns only, as the chart always
// has: a time of 10000 s or more loses its first digit.
const RtFormat& training_values_layout() {
    static const RtFormat format("(36X,F7.0,7X,I4,5X,I4,33X,F7.0,8X,I4)");
    return format;
}

// Whether a regular file's last byte ends a line. A file whose last line lost its line end (cut
// short by an editor, a copy or another program) would glue the next record onto it, and both
// lines would be lost to the chart.
bool ends_with_line_end(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    struct stat info {};
    char last = '\n';
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        ::pread(fd, &last, 1, info.st_size - 1) != 1)
        last = '\n';
    ::close(fd);
    return last == '\n';
}

std::optional<off_t> regular_file_size(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info.st_size;
}

// Opens unit 17 for appending: the file as it is, or a new one when there is none. Returns the
// status; `created` tells whether this call made the file.
int open_for_append(const std::filesystem::path& path, bool& created) {
    created = false;
    int status = rt_open(RESULTS_APPEND_UNIT, path.string(), RtOpenStatus::old_file,
                         RtPosition::append, RtOnError::report);
    if (status != ENOENT)
        return status;
    status = rt_open(RESULTS_APPEND_UNIT, path.string(), RtOpenStatus::new_file, RtPosition::append,
                     RtOnError::report);
    // Another program made the file between the two opens: append to theirs.
    if (status == EEXIST)
        return rt_open(RESULTS_APPEND_UNIT, path.string(), RtOpenStatus::old_file,
                       RtPosition::append, RtOnError::report);
    created = status == RT_IOSTAT_OK;
    return status;
}

AppendOutcome append_and_trace(const char* kind, const std::string& line) {
    const std::filesystem::path path = app_data_folder() / RESULTS_FILE_NAME;
    const int folder_error = app_create_data_folder();
    const AppendOutcome outcome =
        folder_error != 0 ? app_append_failure(path, APP_CANNOT_MAKE_FOLDER, folder_error)
                          : app_append_results_line(path, line);
    if (outcome.written)
        rt_trace_event("record", {{"kind", kind}});
    else
        rt_trace_event("record-failed", {{"kind", kind}, {"reason", outcome.reason}});
    return outcome;
}

// Reads a pass over the file on unit 12: the header line is passed over whatever it holds, then
// `read_one` takes line after line until it reports the end of the file (RT_IOSTAT_END) or a
// failure. Every pass opens the file anew, so the two passes never share a position.
template <typename ReadOne>
ResultsPass read_pass(const std::filesystem::path& path, ReadOne read_one) {
    ResultsPass pass;
    pass.open_error = rt_open(RESULTS_READ_UNIT, path.string(), RtOpenStatus::old_file,
                              RtPosition::asis, RtOnError::report);
    if (pass.open_error != RT_IOSTAT_OK)
        return pass;
    pass.opened = true;
    std::string header;
    int32_t line = 1;
    int status = rt_read_line(RESULTS_READ_UNIT, header, READ_LINE_LENGTH, RtOnError::report);
    while (status == RT_IOSTAT_OK) {
        ++line;
        status = read_one();
        if (status == RT_IOSTAT_OK)
            ++pass.records;
    }
    if (status != RT_IOSTAT_END)
        pass.stopped_line = line;
    rt_close(RESULTS_READ_UNIT, RtOnError::report);
    return pass;
}

// A stamp whose date does not exist (month 13, 31 April, 29 February 1900, year 0) is a value
// that cannot be read, like letters in a number: the day count would reject it.
int checked_date(int status, const ResultsStamp& stamp) {
    if (status == RT_IOSTAT_OK && !cal_is_date(stamp.day, stamp.month, stamp.year))
        return RT_IOSTAT_BAD_VALUE;
    return status;
}

int read_stamp(std::string_view text, ResultsStamp& stamp) {
    return checked_date(rt_read_text(text, date_layout(),
                                     {&stamp.day, &stamp.month, &stamp.year, &stamp.hour,
                                      &stamp.minute, &stamp.second}),
                        stamp);
}

// The values of one whole line; the kind comes from the label in columns 48-49.
int read_entry(const std::string& text, ResultsEntry& entry) {
    if (const int status = read_stamp(text, entry.stamp); status != RT_IOSTAT_OK)
        return status;
    const std::string_view label = std::string_view(text).substr(47, 2);
    if (label == "DD") {
        entry.kind = ResultsEntry::Kind::vision;
        return rt_read_text(text, vision_values_layout(), {&entry.distance_cm, &entry.acuity});
    }
    if (label == "Is") {
        entry.kind = ResultsEntry::Kind::training;
        return rt_read_text(text, training_values_layout(),
                            {&entry.distance_cm, &entry.cell_size, &entry.images, &entry.mean_time,
                             &entry.pushups});
    }
    entry.kind = ResultsEntry::Kind::other;
    return RT_IOSTAT_OK;
}

} // namespace

AppendOutcome app_append_failure(const std::filesystem::path& path, const char* action, int error) {
    return {false, path.string() + ": " + action + ": " + std::generic_category().message(error),
            path.string() + ": " + app_action_text(action) + ": " + app_error_text(error)};
}

ResultsStamp app_results_stamp_now() {
    ResultsStamp stamp;
    app_get_date_time(stamp.day, stamp.month, stamp.year, stamp.hour, stamp.minute, stamp.second);
    return stamp;
}

std::string app_results_header() {
    return rt_format_records(header_format(), {})[0];
}

std::string app_format_vision_record(const VisionRecord& record) {
    const ResultsStamp& at = record.stamp;
    return rt_write_text(vision_format(),
                         {at.day, at.month, at.year, at.hour, at.minute, at.second,
                          record.distance_cm, record.diagonal_in, record.screen_ny,
                          record.screen_nx, record.acuity},
                         VISION_RECORD_LENGTH);
}

std::string app_format_training_record(const TrainingRecord& record) {
    const ResultsStamp& at = record.stamp;
    return rt_write_text(training_format(),
                         {at.day, at.month, at.year, at.hour, at.minute, at.second,
                          record.distance_cm, record.cell_size, record.images, record.correct,
                          record.wrong, record.unanswered, record.mean_time, record.pushups},
                         TRAINING_RECORD_LENGTH);
}

// Open "old" at the end, or create "new" with the header; write the record; flush; close. Any
// failure after the open puts the file back as it was: a file made here is removed, an existing
// one is cut back to its size before this call (the unit already does so for a failed write;
// this also covers a failed flush or close, after which the record would otherwise stay in a
// file that the user is told does not hold it).
AppendOutcome app_append_results_line(const std::filesystem::path& path, std::string_view line) {
    if (line.find_first_of("\r\n") != std::string_view::npos)
        return {false, path.string() + ": cannot write: the record holds a line end",
                path.string() + ": " + app_action_text("cannot write") + ": " +
                    language::translate("file errors", "в записи есть конец строки")};
    bool created = false;
    const std::optional<off_t> size_before = regular_file_size(path);
    if (const int status = open_for_append(path, created); status != RT_IOSTAT_OK)
        return app_append_failure(path, "cannot open", status);

    // One write: the header first into a new or empty file, a line end first after a last line
    // that lacks one, then the record.
    std::vector<std::string> lines;
    if (created || size_before == 0)
        lines.push_back(app_results_header());
    else if (!ends_with_line_end(path))
        lines.emplace_back();
    lines.emplace_back(line);
    const char* action = "cannot write";
    int status = rt_write_lines(RESULTS_APPEND_UNIT, lines, RtOnError::report);
    if (status == RT_IOSTAT_OK) {
        action = "cannot flush";
        status = rt_flush(RESULTS_APPEND_UNIT, RtOnError::report);
    }
    if (status != RT_IOSTAT_OK) {
        rt_close(RESULTS_APPEND_UNIT, RtOnError::report);
    } else {
        action = "cannot close";
        status = rt_close(RESULTS_APPEND_UNIT, RtOnError::report);
    }
    if (status == RT_IOSTAT_OK)
        return {true, {}, {}};

    std::error_code ignored;
    if (created)
        std::filesystem::remove(path, ignored);
    else if (size_before && regular_file_size(path) > size_before)
        std::filesystem::resize_file(path, static_cast<uintmax_t>(*size_before), ignored);
    return app_append_failure(path, action, status);
}

std::filesystem::path app_results_file_shown() {
    const std::filesystem::path path = app_data_folder() / RESULTS_FILE_NAME;
    std::error_code failed;
    const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
    return failed ? path : absolute.lexically_normal();
}

AppendOutcome app_append_vision_record(const VisionRecord& record) {
    return append_and_trace("vision", app_format_vision_record(record));
}

AppendOutcome app_append_training_record(const TrainingRecord& record) {
    return append_and_trace("training", app_format_training_record(record));
}

void app_report_record_failure(const AppendOutcome& outcome) {
    if (outcome.written)
        return;
    framework::show_message(
        framework::MessageIcon::error, framework::program_title(),
        language::fill_in(language::translate("results file", "Результат не записан в файл %1:"),
                          {RESULTS_FILE_NAME}) +
            "\n" + outcome.reason_shown);
}

// A line whose date reads but whose values do not ends pass 2; were pass 1 to read on past it,
// the chart's extent and "Конец" would name days and a record that are never drawn. So pass 1
// reads each line as pass 2 does, and stops where pass 2 stops.
ResultsPass app_read_results_dates(const std::filesystem::path& path,
                                   const std::function<void(const ResultsStamp&)>& on_record) {
    return app_read_results_values(path, [&](const ResultsEntry& entry) {
        if (on_record)
            on_record(entry.stamp);
    });
}

ResultsPass app_read_results_values(const std::filesystem::path& path,
                                    const std::function<void(const ResultsEntry&)>& on_record) {
    return read_pass(path, [&] {
        std::string text;
        int status = rt_read_line(RESULTS_READ_UNIT, text, READ_LINE_LENGTH, RtOnError::report);
        if (status != RT_IOSTAT_OK)
            return status;
        ResultsEntry entry;
        status = read_entry(text, entry);
        if (status == RT_IOSTAT_OK && on_record)
            on_record(entry);
        return status;
    });
}
