// The per-trial file talvena-trials.csv: its lines and appending an activity's trials.
#include "app/trials_file.h"

#include "app/csv_file.h"
#include "runtime/whole_write.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace {

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

} // namespace

std::string app_trials_header() {
    return std::string(HEADER_WITHOUT_DRAWN_GAP) + ",gap_drawn_px";
}

// Fields that belong to the other activity stay empty even when the trial carries them.
std::string app_format_trial(const TrialLog& log, const Trial& trial, bool completed) {
    const bool vision = log.activity != "training";
    const bool training = log.activity != "vision";
    std::string line = app_csv_stamp(log.started);
    line += ',' + app_csv_text(log.activity);
    line += ',' + std::to_string(trial.number);
    line += ',' + (vision && trial.level ? app_csv_fixed(*trial.level, 2) : "");
    line += ',' + (training && trial.cell_size ? std::to_string(*trial.cell_size) : "");
    line += ',' + std::to_string(trial.side);
    line += ',' + (vision && trial.tilt ? std::to_string(*trial.tilt) : "");
    line += ',' + (vision && trial.gap_px ? app_csv_fixed(*trial.gap_px, 3) : "");
    line += ',' + app_csv_text(trial.verdict);
    line += ',' + (trial.answer_s ? app_csv_fixed(*trial.answer_s, 3) : "");
    line += completed ? ",1" : ",0";
    line += ',' + (vision && trial.gap_drawn_px ? app_csv_fixed(*trial.gap_drawn_px, 3) : "");
    return line;
}

// The layout is brought up to date first; then one write of every line, as every CSV file is.
AppendOutcome app_append_trials(const std::filesystem::path& path, const TrialLog& log,
                                bool completed) {
    if (log.trials.empty())
        return {true, {}, {}};
    const char* upgrade_action = "";
    if (const int error = upgrade_layout(path, upgrade_action); error != 0)
        return app_append_failure(path, upgrade_action, error);
    std::string lines;
    for (const Trial& trial : log.trials)
        lines += app_format_trial(log, trial, completed) + "\n";
    return app_append_csv(path, app_trials_header(), lines);
}

void app_save_trials(const TrialLog& log, bool completed) {
    if (log.trials.empty())
        return;
    app_save_in_data_folder(TRIALS_FILE_NAME, "trials", [&](const std::filesystem::path& path) {
        return app_append_trials(path, log, completed);
    });
}
