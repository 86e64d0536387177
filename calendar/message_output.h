// Where the calendar library's messages go, and how its errors end the program.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

// Private to the calendar library.
namespace calendar {

using LineWriter = std::function<void(int32_t unit, std::string_view line)>;

// Writes one printed line of a message on `unit`, through the writer set by set_line_writer
// when there is one. Not thread-safe.
void write_message_line(int32_t unit, std::string_view line);

// Replaces the line writer; an empty one restores the default.
void set_line_writer(LineWriter writer);

// Ends the program after a serious error whose message has been printed; `summary` is the
// message in one line.
[[noreturn]] void stop_program(std::string_view summary);

} // namespace calendar
