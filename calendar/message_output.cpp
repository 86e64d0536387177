// Where the calendar library's messages go, and how its errors end the program.
#include "calendar/message_output.h"

#include "runtime/cp1251.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <cstdio>
#include <utility>

namespace calendar {

namespace {

LineWriter& line_writer() {
    static LineWriter writer;
    return writer;
}

// A message goes to its unit when the unit shows in a window (unit 6 is the default window
// while the window system runs); otherwise, with no window to show it, to standard error.
void write_unit_line(int32_t unit, std::string_view line) {
    if (rt_unit_writes_to_window(unit) &&
        rt_write_line(unit, utf8_to_cp1251(line), RtOnError::report) == RT_IOSTAT_OK)
        return;
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

} // namespace

void write_message_line(int32_t unit, std::string_view line) {
    if (const LineWriter& writer = line_writer())
        writer(unit, line);
    else
        write_unit_line(unit, line);
}

void set_line_writer(LineWriter writer) {
    line_writer() = std::move(writer);
}

// A stop after a serious error is a failure of the run, so it goes through the run-time's fatal
// path (non-zero exit code, the framework's error box) rather than a plain STOP, which would
// report success.
void stop_program(std::string_view summary) {
    rt_fatal_error(summary);
}

} // namespace calendar
