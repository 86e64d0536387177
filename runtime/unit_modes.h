// How a unit's file is opened and read: the status and position of an open, and the longest line
// a unit reads.
#pragma once

#include <cstddef>

enum class RtOpenStatus { old_file, new_file, unknown };
enum class RtPosition { asis, append };

// The longest line a unit reads, line end excluded. A longer line is passed over whole, holding no
// more than this much of it in memory, and its read fails with RT_IOSTAT_LINE_TOO_LONG: a file
// without line ends (a damaged file, a copy gone wrong) cannot fill the program's memory.
inline constexpr size_t RT_MAX_LINE_LENGTH = 4096;
