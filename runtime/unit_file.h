// Private to the run-time: one unit's file, opened by its status and position, written a record
// text whole at a time and read a line at a time. Not thread-safe: the unit table's lock guards
// every file.
#pragma once

#include "runtime/format.h"
#include "runtime/unit_modes.h"

#include <string>
#include <string_view>
#include <sys/types.h>

struct RtUnitFile {
    int fd = -1;
    std::string path;
    bool append = false;
    // Bytes read from the file but not yet taken, starting at file offset `offset`. Reads and
    // writes at the current position use explicit offsets, so the descriptor's own offset
    // (moved by O_APPEND writes) never matters.
    std::string buffer;
    off_t offset = 0;
};

// What a unit call comes to: RT_IOSTAT_OK, or a status with a message that names the file.
struct RtUnitOutcome {
    int status = RT_IOSTAT_OK;
    std::string message;
};

// The failure of an operation on the file at `path`: the errno and "path: action: reason".
RtUnitOutcome rt_unit_failure(const std::string& path, const char* action, int error);

// Opens `file.path` as rt_open describes: "old" needs an existing file, "new" a missing one,
// "unknown" creates it when missing; an "old" file opened `asis` must be a regular file, and no
// file may be a folder. Leaves `file.fd` at -1 on a failure.
RtUnitOutcome rt_open_unit_file(RtUnitFile& file, RtOpenStatus status, RtPosition position);

// Writes `text` (whole records with their line ends) as rt_write_record describes: in one write,
// at the end of the file at `append` (cut back to its size before on a failure), otherwise at
// the current position, cutting off what followed.
RtUnitOutcome rt_write_unit_file(RtUnitFile& file, std::string_view text);

// Takes the next line into `line`, without its line end; false at the end of the file (with
// `failure` left as it was) or on a failure (with `failure` set).
bool rt_read_unit_line(RtUnitFile& file, std::string& line, RtUnitOutcome& failure);
