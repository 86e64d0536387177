// Reading a small regular file whole.
#include "runtime/small_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Opened without blocking, so that a FIFO without a writer cannot hold the open; the type is
// checked on the descriptor itself, so a file swapped after a look at its name cannot slip in.
RtSmallFile rt_read_small_file(const std::filesystem::path& path, size_t max_bytes) {
    RtSmallFile result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.reason = std::strerror(errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        result.reason = std::strerror(errno);
    } else if (!S_ISREG(info.st_mode)) {
        result.reason = "not a regular file";
    } else if (static_cast<size_t>(info.st_size) > max_bytes) {
        result.reason = "larger than " + std::to_string(max_bytes) + " bytes";
    } else {
        std::string text;
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                result.reason = std::strerror(errno);
                break;
            }
            if (got == 0) {
                result.text = std::move(text);
                break;
            }
            text.append(buffer, static_cast<size_t>(got));
            // A file that grows while it is read is held to the size all the same.
            if (text.size() > max_bytes) {
                result.reason = "larger than " + std::to_string(max_bytes) + " bytes";
                break;
            }
        }
    }
    ::close(fd);
    return result;
}
