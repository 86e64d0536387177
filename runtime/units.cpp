// Numbered units: the unit table, connecting units to files and windows, and their records.
#include "runtime/units.h"

#include "runtime/cp1251.h"
#include "runtime/stop.h"
#include "runtime/unit_file.h"
#include "runtime/whole_write.h"
#include "runtime/window_units.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

struct UnitTable {
    std::mutex mutex;
    std::map<int32_t, RtUnitFile> units;
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
    std::map<int32_t, RtUnitFile> units;
    {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        units.swap(table.units);
    }
    for (auto& [number, unit] : units)
        ::close(unit.fd);
}

RtUnitOutcome not_connected(int32_t unit) {
    return {EBADF, "unit " + std::to_string(unit) + " is not connected to a file"};
}

int finish(const RtUnitOutcome& outcome, RtOnError on_error) {
    if (outcome.status != RT_IOSTAT_OK && on_error == RtOnError::stop)
        rt_fatal_error(outcome.message);
    return outcome.status;
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
            RtUnitOutcome outcome = not_connected(m_unit);
            failure = {outcome.status, outcome.message};
            return false;
        }
        m_path = found->second.path;
        RtUnitOutcome outcome;
        if (rt_read_unit_line(found->second, record, outcome))
            return true;
        failure = {outcome.status, outcome.message};
        return false;
    }
    bool comma_ends_field() const override { return true; }

    // The reader's result as the unit reports it: failures name the file.
    RtUnitOutcome outcome(const RtReadResult& result) const {
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
    RtUnitFile opened;
    opened.path = path;
    RtUnitOutcome outcome = rt_open_unit_file(opened, status, position);
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
    std::optional<RtUnitOutcome> written;
    RtWindowUnitHooks hooks;
    {
        UnitTable& table = unit_table();
        std::lock_guard lock(table.mutex);
        auto found = table.units.find(unit);
        if (found != table.units.end())
            written = rt_write_unit_file(found->second, text);
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
        return finish(rt_unit_failure(*path, "cannot flush", copy_error), on_error);
    const int error = rt_sync_descriptor(fd);
    ::close(fd);
    if (error != 0)
        return finish(rt_unit_failure(*path, "cannot flush", error), on_error);
    return RT_IOSTAT_OK;
}

int rt_close(int32_t unit, RtOnError on_error) {
    return rt_close(unit, RtWindowClose::destroy, on_error);
}

int rt_close(int32_t unit, RtWindowClose window_close, RtOnError on_error) {
    std::optional<RtUnitFile> closed;
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
            return finish(rt_unit_failure(closed->path, "cannot close", errno), on_error);
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
