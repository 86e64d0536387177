// The fuzz targets' scratch file and contract checks.
#include "fuzz/scratch_file.h"

#include "runtime/stop.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace fuzz_support {
namespace {

// The file exists from the first input to the end of the process; its name is unique to the
// process, so that fuzzers running side by side never share one.
class ScratchFile {
public:
    ScratchFile() {
        const char* folder = std::getenv("TMPDIR");
        std::string name =
            std::string(folder && *folder ? folder : "/tmp") + "/talvena-fuzz-XXXXXX";
        const int fd = ::mkstemp(name.data());
        if (fd < 0) {
            std::perror("talvena fuzz: cannot make a scratch file");
            std::abort();
        }
        ::close(fd);
        m_path = name;
    }
    ~ScratchFile() { ::unlink(m_path.c_str()); }

    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace

const std::filesystem::path& write_scratch_file(const uint8_t* data, size_t size) {
    static const ScratchFile scratch;
    const int fd = ::open(scratch.path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    size_t written = 0;
    while (fd >= 0 && written < size) {
        const ssize_t part = ::write(fd, data + written, size - written);
        if (part <= 0)
            break;
        written += static_cast<size_t>(part);
    }
    if (fd < 0 || written != size || ::close(fd) != 0) {
        std::perror("talvena fuzz: cannot write the scratch file");
        std::abort();
    }
    return scratch.path();
}

void check(bool holds, std::string_view what) {
    if (holds)
        return;
    std::fprintf(stderr, "contract broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

void fail_when_the_program_ends() {
    // Left alone, these end the process with _Exit, past the fuzzer: the input would be lost.
    rt_set_stop_hooks({
        .on_stop_with_text =
            [](std::string_view text) {
                check(false, "the program stopped: " + std::string(text));
            },
        .on_fatal_error =
            [](std::string_view message) {
                check(false, "the program ended on an error: " + std::string(message));
            },
        .on_exit = [] { check(false, "the program stopped"); },
    });
}

} // namespace fuzz_support
