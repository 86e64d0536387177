// The CSV files' fields and their appending.
#include "app/csv_file.h"

#include "app/data_folder.h"
#include "app/failure_reasons.h"
#include "runtime/trace.h"
#include "runtime/whole_write.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace {

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

std::string app_csv_fixed(double value, int decimals) {
    char buffer[64];
    const auto converted =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return converted.ec == std::errc() ? std::string(buffer, converted.ptr) : std::string();
}

std::string app_csv_text(const std::string& text) {
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

std::string app_csv_stamp(const ResultsStamp& at) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", at.year, at.month, at.day,
                  at.hour, at.minute, at.second);
    return buffer;
}

// One write of every line (the header first for a new file), then fsync. A failure puts the file
// back as it was: a file made here is removed, an existing one cut back to its size before.
AppendOutcome app_append_csv(const std::filesystem::path& path, std::string_view header,
                             const std::string& lines) {
    bool created = false;
    const int fd = open_for_append(path, created);
    if (fd < 0)
        return app_append_failure(path, "cannot open", errno);

    const std::string text = created ? std::string(header) + "\n" + lines : lines;
    // Only an existing regular file is cut back; one made here is removed instead.
    const off_t size_before = created ? -1 : rt_regular_file_size(fd).value_or(-1);
    const bool cut_back = size_before >= 0;
    const char* action = "cannot write";
    int error = rt_write_whole(fd, text).error;
    if (error == 0) {
        action = "cannot flush";
        error = rt_sync_descriptor(fd);
    }
    if (error != 0 && cut_back) {
        // Best effort: the write's own error is the one reported.
        [[maybe_unused]] const int cut = ::ftruncate(fd, size_before);
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
        action = "cannot close";
        if (cut_back) {
            [[maybe_unused]] const int cut = ::truncate(path.c_str(), size_before);
        }
    }
    if (error == 0)
        return {true, {}, {}};
    if (created)
        ::unlink(path.c_str());
    return app_append_failure(path, action, error);
}

void app_save_in_data_folder(
    const char* file_name, const char* kind,
    const std::function<AppendOutcome(const std::filesystem::path&)>& append) {
    const std::filesystem::path path = app_data_folder() / file_name;
    const int folder_error = app_create_data_folder();
    const AppendOutcome outcome =
        folder_error != 0 ? app_append_failure(path, APP_CANNOT_MAKE_FOLDER, folder_error)
                          : append(path);
    if (!outcome.written)
        rt_trace_event("record-failed", {{"kind", kind}, {"reason", outcome.reason}});
}

void app_save_csv(const char* file_name, const char* kind, std::string_view header,
                  const std::string& lines) {
    app_save_in_data_folder(file_name, kind, [&](const std::filesystem::path& path) {
        return app_append_csv(path, header, lines);
    });
}
