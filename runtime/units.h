// Numbered units: sequential formatted text files (CP1251, CR LF) and units shown in windows.
#pragma once

#include "runtime/format.h"
#include "runtime/unit_modes.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// Whether the caller has an error branch. With `report` every call returns its status (0 ok,
// -1 end of file, 5010/5011 bad values, otherwise the errno of the failure). With `stop` any
// failure ends the program through rt_fatal_error with a message naming the file and the
// reason, and the calls return 0.
enum class RtOnError { stop, report };

// Connects a file to a unit, replacing an earlier connection of the unit. "old" needs an
// existing file and creates nothing; an "old" file opened `asis` (to be read) must be a regular
// file: a device, a pipe or a folder is refused (EINVAL, EISDIR), so that reading cannot hang on
// a pipe or run on for ever through /dev/zero; "new" needs a missing file and creates it; "unknown"
// creates the file when it is missing. With `append` every record is added at the end of the
// file, whoever else writes it.
// The file name "USER" opens the unit as a window unit instead, as rt_open_window does with no
// title.
int rt_open(int32_t unit, std::string_view path, RtOpenStatus status, RtPosition position,
            RtOnError on_error = RtOnError::stop);

// Opens the unit as a window unit: a new child window titled `title` (UTF-8), or "Unit N" with
// the unit's number when the title is empty, which takes the input and output focus. Replaces an
// earlier connection of the unit. Fails (EIO) when no window can be opened.
int rt_open_window(int32_t unit, std::string_view title, RtOnError on_error = RtOnError::stop);

// The standard output and error units. While they are connected to nothing else, their records
// go to the window system's standard window (see RtWindowUnitHooks), or without one to the
// process's standard output and standard error.
constexpr int32_t RT_STANDARD_OUTPUT_UNIT = 6;
constexpr int32_t RT_STANDARD_ERROR_UNIT = 0;

// True when records written to the unit now go to a window: a window unit, or a standard unit
// while the window system provides its standard window. Thread-safe.
bool rt_unit_writes_to_window(int32_t unit);

// Writes one record (or several when the format starts over) ended by CR LF, in a single write
// of the whole text, so a crash never leaves part of a line inside the file. On a unit opened at
// `append`, a write that fails (a full disk, also after part of the text went in) cuts the file
// back to its size before the write. On a unit connected to a window the text goes to the window
// (see RtWindowUnitHooks).
int rt_write_record(int32_t unit, const RtFormat& format, std::span<const RtValue> values,
                    RtOnError on_error = RtOnError::stop);
inline int rt_write_record(int32_t unit, const RtFormat& format,
                           std::initializer_list<RtValue> values,
                           RtOnError on_error = RtOnError::stop) {
    return rt_write_record(unit, format, std::span(values.begin(), values.size()), on_error);
}

// Writes `text` (CP1251 as stored, no line end) as one record ended by CR LF, as rt_write_record
// writes a formatted one.
int rt_write_line(int32_t unit, std::string_view text, RtOnError on_error = RtOnError::stop);

// Writes several such records, each ended by CR LF, in a single write of the whole text.
int rt_write_lines(int32_t unit, std::span<const std::string> lines,
                   RtOnError on_error = RtOnError::stop);

// Reads the next record (and more when the format starts over) with the format. Lines may end in
// CR LF or LF.
int rt_read_record(int32_t unit, const RtFormat& format, std::span<const RtTarget> targets,
                   RtOnError on_error = RtOnError::stop);
inline int rt_read_record(int32_t unit, const RtFormat& format,
                          std::initializer_list<RtTarget> targets,
                          RtOnError on_error = RtOnError::stop) {
    return rt_read_record(unit, format, std::span(targets.begin(), targets.size()), on_error);
}

// Reads the next record as text of exactly `length` characters (CP1251 as stored): cut, or
// padded with blanks.
int rt_read_line(int32_t unit, std::string& text, size_t length,
                 RtOnError on_error = RtOnError::stop);

// Waits until what was written to the unit's file is on stable storage (fsync). A device or a
// pipe that keeps nothing to flush counts as flushed, and so does a unit connected to a window.
int rt_flush(int32_t unit, RtOnError on_error = RtOnError::stop);

// Whether closing a window unit destroys its window or keeps it on screen, titled "-Closed",
// with its last picture.
enum class RtWindowClose { destroy, keep };

// Disconnects the unit; closing a unit that is not connected does nothing. A window unit's
// window goes as `window` says.
int rt_close(int32_t unit, RtOnError on_error = RtOnError::stop);
int rt_close(int32_t unit, RtWindowClose window, RtOnError on_error = RtOnError::stop);

// How units connected to windows reach the window framework, which registers these when it
// starts. The stop actions close files only: at the end of the run windows stay as they are.
// Unset: window units cannot be opened, a line written to a window goes to standard output and
// closing only disconnects.
struct RtWindowUnitHooks {
    // Opens a window for the unit (title UTF-8, empty for "Unit N"): its number, or -1.
    std::function<int32_t(int32_t unit, std::string_view title)> on_open_window;
    std::function<void(int32_t window_number, RtWindowClose close)> on_close_window;
    // One record as stored (CP1251), without a line end.
    std::function<void(int32_t window_number, std::string_view record)> on_write_record;
    // The window of the standard units, or -1 when there is none.
    std::function<int32_t()> standard_window;
};
void rt_set_window_unit_hooks(RtWindowUnitHooks hooks);
