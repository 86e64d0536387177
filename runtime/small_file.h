// Reading a small text file whole (a script, dialog templates, settings), safely: only a regular
// file, and only up to a size, so that a device, a pipe or a link to /dev/zero can neither hang
// the program nor fill its memory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

struct RtSmallFile {
    std::optional<std::string> text; // the whole file; nothing on a failure
    std::string reason;              // on a failure: "not a regular file", "larger than N bytes",
                                     // or the system's text ("No such file or directory")
};

// The file at `path` whole, when it is a regular file of at most `max_bytes` bytes.
RtSmallFile rt_read_small_file(const std::filesystem::path& path, size_t max_bytes);
