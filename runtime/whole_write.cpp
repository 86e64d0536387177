// Whole writes and flushing.
#include "runtime/whole_write.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

RtWholeWrite rt_write_whole(int fd, std::string_view text, std::optional<off_t> offset) {
    RtWholeWrite result;
    while (result.written < text.size()) {
        const char* rest = text.data() + result.written;
        const size_t count = text.size() - result.written;
        const ssize_t written =
            offset ? ::pwrite(fd, rest, count, *offset + static_cast<off_t>(result.written))
                   : ::write(fd, rest, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            result.error = written < 0 ? errno : EIO;
            return result;
        }
        result.written += static_cast<size_t>(written);
    }
    return result;
}

int rt_sync_descriptor(int fd) {
    int result = 0;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    if (result == 0 || errno == EINVAL || errno == EROFS)
        return 0;
    return errno;
}

std::optional<off_t> rt_regular_file_size(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info.st_size;
}
