// The per-trial file talvena-trials.csv: its lines and appending an activity's trials.
#include "app/trials_file.h"

#include "app/data_folder.h"
#include "app/failure_reasons.h"
#include "runtime/trace.h"
#include "runtime/whole_write.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace {

// Fixed decimals in the C way whatever the program's locale: a decimal comma would split a field.
std::string fixed(double value, int decimals) {
    char buffer[64];
    const auto converted =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return converted.ec == std::errc() ? std::string(buffer, converted.ptr) : std::string();
}

// A text field, quoted when it holds a comma, a quote or a line end.
std::string text_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string stamp_text(const ResultsStamp& at) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    return buffer;
}

// The header of files written before the gap as drawn was recorded: one column fewer.
constexpr std::string_view HEADER_WITHOUT_DRAWN_GAP =
    "started,activity,trial,level,cell_size,side,tilt,gap_px,verdict,answer_s,completed";

// The first line of a regular file, read no further than `limit` characters; nothing for a
// missing file, a device or a pipe.
std::optional<std::string> first_line(const std::filesystem::path& path, size_t limit) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    char c = 0;
    while (line.size() < limit && in.get(c) && c != '\n')
        line += c;
    if (!in && line.empty())
        return std::nullopt;
    return line;
}

// Brings a file of the earlier layout to the current one: the current header, and every line
// with an empty last field (its gap as drawn is not known). The new text goes to a temporary
// file beside the old one, is flushed, and is renamed over it, so the file is at every moment
// either the old one or the new one. Returns 0 (also when there is nothing to change) or the
// errno of the step that failed, naming it in `action`; the old file is then untouched.
int upgrade_layout(const std::filesystem::path& path, const char*& action) {
    const std::optional<std::string> header = first_line(path, HEADER_WITHOUT_DRAWN_GAP.size() + 2);
    if (!header || (*header != HEADER_WITHOUT_DRAWN_GAP &&
                    *header != std::string(HEADER_WITHOUT_DRAWN_GAP) + "\r"))
        return 0;
    action = "cannot read";
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    std::string text = app_trials_header() + "\n";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        text += line.empty() ? "\n" : line + ",\n";
    }
    if (in.bad())
        return EIO;

    const std::filesystem::path temporary = path.string() + ".new";
    action = "cannot write";
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int error = rt_write_whole(fd, text).error;
    if (error == 0)
        error = rt_sync_descriptor(fd);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    return error;
}

// Opens the file for appending, creating it when it is missing; -1 with errno on a failure.
int open_for_append(const std::filesystem::path& path, bool& created) {
    created = false;
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd >= 0 || errno != ENOENT)
        return fd;
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        created = true;
        return fd;
    }
    // Made by someone else between the two opens: append to theirs.
    if (errno == EEXIST)
        return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    return -1;
}

} // namespace

std::string app_trials_header() {
    return std::string(HEADER_WITHOUT_DRAWN_GAP) + ",gap_drawn_px";
}

// Fields that belong to the other activity stay empty even when the trial carries them.
std::string app_format_trial(const TrialLog& log, const Trial& trial, bool completed) {
    const bool vision = log.activity != "training";
    const bool training = log.activity != "vision";
    std::string line = stamp_text(log.started);
    line += ',' + text_field(log.activity);
    line += ',' + std::to_string(trial.number);
    line += ',' + (vision && trial.level ? fixed(*trial.level, 2) : "");
    line += ',' + (training && trial.cell_size ? std::to_string(*trial.cell_size) : "");
    line += ',' + std::to_string(trial.side);
    line += ',' + (vision && trial.tilt ? std::to_string(*trial.tilt) : "");
    line += ',' + (vision && trial.gap_px ? fixed(*trial.gap_px, 3) : "");
    line += ',' + text_field(trial.verdict);
    line += ',' + (trial.answer_s ? fixed(*trial.answer_s, 3) : "");
    line += completed ? ",1" : ",0";
    line += ',' + (vision && trial.gap_drawn_px ? fixed(*trial.gap_drawn_px, 3) : "");
    return line;
}

// One write of every line (the header first for a new file), then fsync. A failure puts the file
// back as it was: a file made here is removed, an existing one cut back to its size before.
AppendOutcome app_append_trials(const std::filesystem::path& path, const TrialLog& log,
                                bool completed) {
    if (log.trials.empty())
        return {true, {}, {}};
    const char* upgrade_action = "";
    if (const int error = upgrade_layout(path, upgrade_action); error != 0)
        return app_append_failure(path, upgrade_action, error);
    bool created = false;
    const int fd = open_for_append(path, created);
    if (fd < 0)
        return app_append_failure(path, "cannot open", errno);

    std::string text = created ? app_trials_header() + "\n" : std::string();
    for (const Trial& trial : log.trials)
        text += app_format_trial(log, trial, completed) + "\n";

    // Only an existing regular file is cut back; one made here is removed instead.
    const off_t size_before = created ? -1 : rt_regular_file_size(fd).value_or(-1);
    const bool cut_back = size_before >= 0;
    const char* action = "cannot write";
    int error = rt_write_whole(fd, text).error;
    if (error == 0) {
        action = "cannot flush";
        error = rt_sync_descriptor(fd);
    }
    if (error != 0 && cut_back)
        (void)::ftruncate(fd, size_before);
    if (::close(fd) != 0 && error == 0) {
        error = errno;
        action = "cannot close";
        if (cut_back)
            (void)::truncate(path.c_str(), size_before);
    }
    const bool written = error == 0;
    if (written)
        return {true, {}, {}};
    if (created)
        ::unlink(path.c_str());
    return app_append_failure(path, action, error);
}

void app_save_trials(const TrialLog& log, bool completed) {
    const std::filesystem::path path = app_data_folder() / TRIALS_FILE_NAME;
    const int folder_error = log.trials.empty() ? 0 : app_create_data_folder();
    const AppendOutcome outcome =
        folder_error != 0 ? app_append_failure(path, APP_CANNOT_MAKE_FOLDER, folder_error)
                          : app_append_trials(path, log, completed);
    if (!outcome.written)
        rt_trace_event("record-failed", {{"kind", "trials"}, {"reason", outcome.reason}});
}
