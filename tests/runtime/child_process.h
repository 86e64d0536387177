// Running part of a test in a child process: for code that keeps process-wide state, such as the
// sound library's cached configuration, which must be set up afresh for each case.
#pragma once

#include <cstdlib>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace test_support {

struct ChildResult {
    int exit_code = -1; // -1 when the child did not exit normally
    std::string output; // what the body returned
};

// Runs `body` in a forked child and returns its text. Call it while the test is single-threaded.
inline ChildResult run_in_child(const std::function<std::string()>& body) {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        close(fds[0]);
        const std::string text = body();
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        close(fds[1]);
        _exit(0);
    }
    close(fds[1]);
    ChildResult result;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        result.output.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exit_code = WEXITSTATUS(status);
    return result;
}

} // namespace test_support
