// Writing a text whole to a file descriptor and flushing it to stable storage: the steps that
// keep a record in a file whole or not at all.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <sys/types.h>

// How much of a text went in, and the errno that stopped the rest (0: all of it).
struct RtWholeWrite {
    size_t written = 0;
    int error = 0;
};

// Writes all of `text`: at `offset` when given, else where the descriptor writes (the end of the
// file for O_APPEND). A short write is continued with the rest and EINTR is retried, so the
// text goes in whole unless the system refuses; a write that makes no progress counts as EIO.
RtWholeWrite rt_write_whole(int fd, std::string_view text,
                            std::optional<off_t> offset = std::nullopt);

// Waits until what was written to the descriptor is on stable storage (fsync, EINTR retried).
// Returns 0 or the errno. A device or a pipe (/dev/full, a FIFO) keeps nothing to flush and says
// so with EINVAL or EROFS: that counts as flushed.
int rt_sync_descriptor(int fd);

// The size of a regular file, or nothing for a device, a pipe or a failed fstat: only a regular
// file can be cut back after a failed write.
std::optional<off_t> rt_regular_file_size(int fd);
