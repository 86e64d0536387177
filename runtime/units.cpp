// Numbered units: the unit table, opening and closing files, line I/O and window units.
#include "runtime/units.h"

#include "runtime/cp1251.h"
#include "runtime/stop.h"
#include "runtime/whole_write.h"
#include "runtime/window_units.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t READ_CHUNK = 65536;

struct Unit {
    int fd = -1;
    std::string path;
    bool append = false;
    // Bytes read from the file but not yet taken, starting at file offset `offset`. Reads and
    // writes at the current position use explicit offsets, so the descriptor's own offset
    // (moved by O_APPEND writes) never matters.
    std::string buffer;
    off_t offset = 0;
};

struct Outcome {
    int status = RT_IOSTAT_OK;
    std::string message;
};

struct UnitTable {
    std::mutex mutex;
    std::map<int32_t, Unit> units;
    RtWindowUnitHooks hooks;
};

void close_all_units();

UnitTable& unit_table() {
    static UnitTable table;
    // STOP closes every open unit.
    static const bool registered = (rt_at_stop(close_all_units), true);
    (void)registered;
    return table;
}

void close_all_units() {
    std::map<int32_t, Unit> units;
    {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        units.swap(table.units);
    }
    for (auto& [number, unit] : units)
        ::close(unit.fd);
}

Outcome os_failure(const std::string& path, const char* action, int error) {
    return {error, path + ": " + action + ": " + std::strerror(error)};
}

Outcome not_connected(int32_t unit) {
    return {EBADF, "unit " + std::to_string(unit) + " is not connected to a file"};
}

int finish(const Outcome& outcome, RtOnError on_error) {
    if (outcome.status != RT_IOSTAT_OK && on_error == RtOnError::stop)
        rt_fatal_error(outcome.message);
    return outcome.status;
}

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

Outcome open_file(Unit& unit, RtOpenStatus status, RtPosition position) {
    int flags = position == RtPosition::append ? O_APPEND : 0;
    if (status == RtOpenStatus::new_file)
        flags |= O_CREAT | O_EXCL;
    else if (status == RtOpenStatus::unknown)
        flags |= O_CREAT;
    unit.fd = open_descriptor(unit.path, flags);
    if (unit.fd < 0)
        return os_failure(unit.path, "cannot open", errno);
    struct stat info {};
    const bool to_read = status == RtOpenStatus::old_file && position == RtPosition::asis;
    if (::fstat(unit.fd, &info) != 0 || S_ISDIR(info.st_mode) ||
        (to_read && !S_ISREG(info.st_mode))) {
        const int error = ::fstat(unit.fd, &info) != 0 ? errno
                          : S_ISDIR(info.st_mode)      ? EISDIR
                                                       : EINVAL;
        ::close(unit.fd);
        unit.fd = -1;
        if (error == EINVAL)
            return {EINVAL, unit.path + ": cannot open: not a regular file"};
        return os_failure(unit.path, "cannot open", error);
    }
    unit.append = position == RtPosition::append;
    return {};
}

// The whole text in one write; a short write is continued with the rest, so the text ends up
// whole or not at all. At `append` the kernel places it at the end of the file; otherwise at the
// current position, and what followed is cut off, because the record written becomes the last
// record of a sequential file.
// An append that fails, at once or after a short write (a full disk, the file size limit), cuts
// the file back to its size before the write: a record is in the file whole or not at all, and a
// later record never follows half a line.
Outcome write_text(Unit& unit, std::string_view text) {
    const std::optional<off_t> size_before =
        unit.append ? rt_regular_file_size(unit.fd) : std::nullopt;
    const RtWholeWrite written = rt_write_whole(
        unit.fd, text, unit.append ? std::nullopt : std::optional<off_t>(unit.offset));
    if (written.error != 0) {
        if (size_before && written.written > 0 && ::ftruncate(unit.fd, *size_before) != 0)
            return os_failure(unit.path, "cannot write (and cannot cut the part written)",
                              written.error);
        return os_failure(unit.path, "cannot write", written.error);
    }
    unit.buffer.clear();
    if (!unit.append) {
        unit.offset += static_cast<off_t>(written.written);
        struct stat info {};
        if (::fstat(unit.fd, &info) == 0 && info.st_size > unit.offset &&
            ::ftruncate(unit.fd, unit.offset) != 0)
            return os_failure(unit.path, "cannot write", errno);
    }
    return {};
}

// The next line without its LF or CR LF; false at the end of the file or on a failure. A line
// longer than RT_MAX_LINE_LENGTH is read on to its end a chunk at a time, keeping none of it, and
// fails with RT_IOSTAT_LINE_TOO_LONG; the next call reads the line after it.
bool next_line(Unit& unit, std::string& line, Outcome& failure) {
    size_t end = unit.buffer.find('\n');
    bool too_long = false;
    while (end == std::string::npos) {
        if (unit.buffer.size() > RT_MAX_LINE_LENGTH + 1) {
            too_long = true;
            unit.offset += static_cast<off_t>(unit.buffer.size());
            unit.buffer.clear();
        }
        const size_t old_size = unit.buffer.size();
        unit.buffer.resize(old_size + READ_CHUNK);
        const ssize_t got = ::pread(unit.fd, unit.buffer.data() + old_size, READ_CHUNK,
                                    unit.offset + static_cast<off_t>(old_size));
        const int error = errno;
        unit.buffer.resize(old_size + static_cast<size_t>(got > 0 ? got : 0));
        if (got < 0 && error == EINTR)
            continue;
        if (got < 0) {
            failure = os_failure(unit.path, "cannot read", error);
            return false;
        }
        if (got == 0) {
            if (unit.buffer.empty() && !too_long)
                return false;
            end = unit.buffer.size(); // a last line without a line end
            break;
        }
        end = unit.buffer.find('\n', old_size);
    }
    const size_t taken = std::min(end + 1, unit.buffer.size());
    size_t length = end;
    if (length > 0 && unit.buffer[length - 1] == '\r')
        --length;
    too_long = too_long || length > RT_MAX_LINE_LENGTH;
    if (!too_long) {
        line.assign(unit.buffer, 0, end);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    unit.buffer.erase(0, taken);
    unit.offset += static_cast<off_t>(taken);
    if (too_long) {
        failure = {RT_IOSTAT_LINE_TOO_LONG, unit.path + ": a line longer than " +
                                                std::to_string(RT_MAX_LINE_LENGTH) + " characters"};
        return false;
    }
    return true;
}

// Records of one unit for the formatted reader; the table is locked only while a line is taken,
// so a fatal error inside the reader never runs with the lock held.
class UnitSource : public RtRecordSource {
public:
    explicit UnitSource(int32_t unit) : m_unit(unit) {}

    bool next_record(std::string& record, RtReadResult& failure) override {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        auto found = table.units.find(m_unit);
        if (found == table.units.end()) {
            Outcome outcome = not_connected(m_unit);
            failure = {outcome.status, outcome.message};
            return false;
        }
        m_path = found->second.path;
        Outcome outcome;
        if (next_line(found->second, record, outcome))
            return true;
        failure = {outcome.status, outcome.message};
        return false;
    }
    bool comma_ends_field() const override { return true; }

    // The reader's result as the unit reports it: failures name the file.
    Outcome outcome(const RtReadResult& result) const {
        if (result.status == RT_IOSTAT_OK ||
            (result.status > 0 && result.status != RT_IOSTAT_BAD_VALUE &&
             result.status != RT_IOSTAT_OVERFLOW))
            return {result.status, result.message};
        if (result.status == RT_IOSTAT_END)
            return {result.status, m_path + ": end of file"};
        return {result.status, m_path + ": " + result.message};
    }

private:
    int32_t m_unit;
    std::string m_path;
};

} // namespace

int rt_open(int32_t unit, std::string_view path, RtOpenStatus status, RtPosition position,
            RtOnError on_error) {
    if (path == "USER")
        return rt_open_window(unit, {}, on_error);
    Unit opened;
    opened.path = path;
    Outcome outcome = open_file(opened, status, position);
    std::optional<int> replaced;
    if (outcome.status == RT_IOSTAT_OK) {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        auto found = table.units.find(unit);
        if (found != table.units.end()) {
            replaced = found->second.fd;
            table.units.erase(found);
        }
        table.units.emplace(unit, std::move(opened));
    }
    if (replaced)
        ::close(*replaced);
    return finish(outcome, on_error);
}

namespace {

bool is_standard_unit(int32_t unit) {
    return unit == RT_STANDARD_OUTPUT_UNIT || unit == RT_STANDARD_ERROR_UNIT;
}

// The window a unit that is not connected to a file writes to, or nothing.
std::optional<int32_t> window_of(int32_t unit, const RtWindowUnitHooks& hooks) {
    if (const std::optional<int32_t> window = rt_unit_window(unit))
        return window;
    if (is_standard_unit(unit) && hooks.standard_window) {
        const int32_t window = hooks.standard_window();
        if (window >= 0)
            return window;
    }
    return std::nullopt;
}

RtWindowUnitHooks current_hooks() {
    UnitTable& table = unit_table();
    std::lock_guard lock(table.mutex);
    return table.hooks;
}

// Writes the records, each ended by CR LF, in one write to the unit's file, or record by record
// to its window; a standard unit without a window writes to the process's own stream.
int write_records(int32_t unit, std::span<const std::string> records, RtOnError on_error) {
    std::string text;
    for (const std::string& record : records)
        text += record + "\r\n";
    std::optional<Outcome> written;
    RtWindowUnitHooks hooks;
    {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        auto found = table.units.find(unit);
        if (found != table.units.end())
            written = write_text(found->second, text);
        hooks = table.hooks;
    }
    // A fatal error runs the stop actions, which lock the table: never report under the lock.
    if (written)
        return finish(*written, on_error);
    const std::optional<int32_t> window = window_of(unit, hooks);
    if (!window && !is_standard_unit(unit))
        return finish(not_connected(unit), on_error);
    std::FILE* stream = unit == RT_STANDARD_ERROR_UNIT ? stderr : stdout;
    for (const std::string& record : records) {
        if (window && hooks.on_write_record)
            hooks.on_write_record(*window, record);
        else
            std::fprintf(stream, "%s\n", cp1251_to_utf8(record).c_str());
    }
    std::fflush(stream);
    return RT_IOSTAT_OK;
}

} // namespace

int rt_write_record(int32_t unit, const RtFormat& format, std::span<const RtValue> values,
                    RtOnError on_error) {
    const std::vector<std::string> records = rt_format_records(format, values);
    return write_records(unit, records, on_error);
}

int rt_write_line(int32_t unit, std::string_view text, RtOnError on_error) {
    const std::string record(text);
    return write_records(unit, std::span(&record, 1), on_error);
}

int rt_write_lines(int32_t unit, std::span<const std::string> lines, RtOnError on_error) {
    return write_records(unit, lines, on_error);
}

int rt_read_record(int32_t unit, const RtFormat& format, std::span<const RtTarget> targets,
                   RtOnError on_error) {
    UnitSource source(unit);
    const RtReadResult result = rt_read_records(format, source, targets);
    return finish(source.outcome(result), on_error);
}

int rt_read_line(int32_t unit, std::string& text, size_t length, RtOnError on_error) {
    UnitSource source(unit);
    RtReadResult result;
    if (!source.next_record(text, result) && result.status == RT_IOSTAT_OK)
        result.status = RT_IOSTAT_END;
    if (result.status == RT_IOSTAT_OK)
        text.resize(length, ' ');
    return finish(source.outcome(result), on_error);
}

int rt_flush(int32_t unit, RtOnError on_error) {
    int fd = -1;
    int copy_error = 0;
    std::optional<std::string> path;
    {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        auto found = table.units.find(unit);
        if (found != table.units.end()) {
            // A copy of the descriptor, so that the wait for the disk holds no lock and a
            // concurrent close cannot pull the descriptor away.
            fd = ::fcntl(found->second.fd, F_DUPFD_CLOEXEC, 0);
            copy_error = errno;
            path = found->second.path;
        }
    }
    // A fatal error runs the stop actions, which lock the table: never report under the lock.
    if (!path) {
        if (rt_unit_window(unit))
            return RT_IOSTAT_OK;
        return finish(not_connected(unit), on_error);
    }
    if (fd < 0)
        return finish(os_failure(*path, "cannot flush", copy_error), on_error);
    const int error = rt_sync_descriptor(fd);
    ::close(fd);
    if (error != 0)
        return finish(os_failure(*path, "cannot flush", error), on_error);
    return RT_IOSTAT_OK;
}

int rt_close(int32_t unit, RtOnError on_error) {
    return rt_close(unit, RtWindowClose::destroy, on_error);
}

int rt_close(int32_t unit, RtWindowClose window_close, RtOnError on_error) {
    std::optional<Unit> closed;
    RtWindowUnitHooks hooks;
    {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        auto found = table.units.find(unit);
        if (found != table.units.end()) {
            closed = std::move(found->second);
            table.units.erase(found);
        }
        hooks = table.hooks;
    }
    if (closed) {
        if (::close(closed->fd) != 0)
            return finish(os_failure(closed->path, "cannot close", errno), on_error);
        return RT_IOSTAT_OK;
    }
    if (const std::optional<int32_t> window = rt_unit_window(unit)) {
        rt_disconnect_unit_window(unit);
        if (hooks.on_close_window)
            hooks.on_close_window(*window, window_close);
    }
    return RT_IOSTAT_OK;
}

// An earlier connection of the unit, a file or a window, is closed first.
int rt_open_window(int32_t unit, std::string_view title, RtOnError on_error) {
    const RtWindowUnitHooks hooks = current_hooks();
    if (hooks.on_open_window) {
        rt_close(unit, RtOnError::report);
        const int32_t window = hooks.on_open_window(unit, title);
        if (window >= 0) {
            rt_connect_unit_to_window(unit, window);
            return RT_IOSTAT_OK;
        }
    }
    return finish({EIO, "unit " + std::to_string(unit) + ": no window can be opened for it"},
                  on_error);
}

bool rt_unit_writes_to_window(int32_t unit) {
    if (rt_unit_window(unit))
        return true;
    if (!is_standard_unit(unit))
        return false;
    {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        if (table.units.count(unit) != 0)
            return false;
    }
    return current_hooks().standard_window != nullptr;
}

void rt_set_window_unit_hooks(RtWindowUnitHooks hooks) {
    UnitTable& table = unit_table();
    std::lock_guard lock(table.mutex);
    table.hooks = std::move(hooks);
}
