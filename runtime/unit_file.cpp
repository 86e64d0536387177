// One unit's file: opening it by status and position, writing a record whole, reading a line.
#include "runtime/unit_file.h"

#include "runtime/whole_write.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t READ_CHUNK = 65536;

// A file opened for reading and writing when its permissions allow, else for the one they
// allow: a write-protected data file can still be read.
int open_descriptor(const std::string& path, int flags) {
    for (int access : {O_RDWR, O_RDONLY, O_WRONLY}) {
        const int fd = ::open(path.c_str(), flags | access | O_CLOEXEC, 0666);
        if (fd >= 0 || (errno != EACCES && errno != EROFS))
            return fd;
    }
    return -1;
}

} // namespace

RtUnitOutcome rt_unit_failure(const std::string& path, const char* action, int error) {
    return {error, path + ": " + action + ": " + std::strerror(error)};
}

RtUnitOutcome rt_open_unit_file(RtUnitFile& file, RtOpenStatus status, RtPosition position) {
    int flags = position == RtPosition::append ? O_APPEND : 0;
    if (status == RtOpenStatus::new_file)
        flags |= O_CREAT | O_EXCL;
    else if (status == RtOpenStatus::unknown)
        flags |= O_CREAT;
    file.fd = open_descriptor(file.path, flags);
    if (file.fd < 0)
        return rt_unit_failure(file.path, "cannot open", errno);
    struct stat info {};
    const bool to_read = status == RtOpenStatus::old_file && position == RtPosition::asis;
    if (::fstat(file.fd, &info) != 0 || S_ISDIR(info.st_mode) ||
        (to_read && !S_ISREG(info.st_mode))) {
        const int error = ::fstat(file.fd, &info) != 0 ? errno
                          : S_ISDIR(info.st_mode)      ? EISDIR
                                                       : EINVAL;
        ::close(file.fd);
        file.fd = -1;
        if (error == EINVAL)
            return {EINVAL, file.path + ": cannot open: not a regular file"};
        return rt_unit_failure(file.path, "cannot open", error);
    }
    file.append = position == RtPosition::append;
    return {};
}

// The whole text in one write; a short write is continued with the rest, so the text ends up
// whole or not at all. At `append` the kernel places it at the end of the file; otherwise at the
// current position, and what followed is cut off, because the record written becomes the last
// record of a sequential file.
// An append that fails, at once or after a short write (a full disk, the file size limit), cuts
// the file back to its size before the write: a record is in the file whole or not at all, and a
// later record never follows half a line.
RtUnitOutcome rt_write_unit_file(RtUnitFile& file, std::string_view text) {
    const std::optional<off_t> size_before =
        file.append ? rt_regular_file_size(file.fd) : std::nullopt;
    const RtWholeWrite written = rt_write_whole(
        file.fd, text, file.append ? std::nullopt : std::optional<off_t>(file.offset));
    if (written.error != 0) {
        if (size_before && written.written > 0 && ::ftruncate(file.fd, *size_before) != 0)
            return rt_unit_failure(file.path, "cannot write (and cannot cut the part written)",
                                   written.error);
        return rt_unit_failure(file.path, "cannot write", written.error);
    }
    file.buffer.clear();
    if (!file.append) {
        file.offset += static_cast<off_t>(written.written);
        struct stat info {};
        if (::fstat(file.fd, &info) == 0 && info.st_size > file.offset &&
            ::ftruncate(file.fd, file.offset) != 0)
            return rt_unit_failure(file.path, "cannot write", errno);
    }
    return {};
}

// The next line without its LF or CR LF; false at the end of the file or on a failure. A line
// longer than RT_MAX_LINE_LENGTH is read on to its end a chunk at a time, keeping none of it, and
// fails with RT_IOSTAT_LINE_TOO_LONG; the next call reads the line after it.
bool rt_read_unit_line(RtUnitFile& file, std::string& line, RtUnitOutcome& failure) {
    size_t end = file.buffer.find('\n');
    bool too_long = false;
    while (end == std::string::npos) {
        if (file.buffer.size() > RT_MAX_LINE_LENGTH + 1) {
            too_long = true;
            file.offset += static_cast<off_t>(file.buffer.size());
            file.buffer.clear();
        }
        const size_t old_size = file.buffer.size();
        file.buffer.resize(old_size + READ_CHUNK);
        const ssize_t got = ::pread(file.fd, file.buffer.data() + old_size, READ_CHUNK,
                                    file.offset + static_cast<off_t>(old_size));
        const int error = errno;
        file.buffer.resize(old_size + static_cast<size_t>(got > 0 ? got : 0));
        if (got < 0 && error == EINTR)
            continue;
        if (got < 0) {
            failure = rt_unit_failure(file.path, "cannot read", error);
            return false;
        }
        if (got == 0) {
            if (file.buffer.empty() && !too_long)
                return false;
            end = file.buffer.size(); // a last line without a line end
            break;
        }
        end = file.buffer.find('\n', old_size);
    }
    const size_t taken = std::min(end + 1, file.buffer.size());
    size_t length = end;
    if (length > 0 && file.buffer[length - 1] == '\r')
        --length;
    too_long = too_long || length > RT_MAX_LINE_LENGTH;
    if (!too_long) {
        line.assign(file.buffer, 0, end);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    file.buffer.erase(0, taken);
    file.offset += static_cast<off_t>(taken);
    if (too_long) {
        failure = {RT_IOSTAT_LINE_TOO_LONG, file.path + ": a line longer than " +
                                                std::to_string(RT_MAX_LINE_LENGTH) + " characters"};
        return false;
    }
    return true;
}
