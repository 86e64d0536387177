// Whole files as bytes for the tests, and a lowered file size limit that makes writes fail the way
// a full disk does.
#pragma once

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>

namespace test_support {

// The file's bytes; empty when it cannot be read.
inline std::string file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// While it lives, writes past `limit` bytes of a file fail with EFBIG, and one that crosses the
// limit is cut short: a disk that fills up in the middle of a line, which permissions cannot give
// a test that runs as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_saved_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = limit;
        m_set = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_saved_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool set() const { return m_set; }

private:
    rlimit m_saved{};
    void (*m_saved_handler)(int) = SIG_DFL;
    bool m_set = false;
};

} // namespace test_support
