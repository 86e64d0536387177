// Installing the build into a test's own prefix, and running commands.
#include "tests/packaging/installed_tree.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace packaging_test {
namespace {

// The word in single quotes for sh, each ' in it closed, escaped and reopened.
std::string quoted(const std::string& word) {
    std::string text = "'";
    for (const char c : word)
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

} // namespace

CommandResult run_command(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words)
        line += quoted(word) + " ";
    line += "2>&1";
    CommandResult result;
    FILE* pipe = ::popen(line.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    for (size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        result.output.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool tool_present(const std::string& name) {
    return run_command({"sh", "-c", "command -v \"$0\"", name}).exit_code == 0;
}

std::filesystem::path install_fresh_prefix() {
    std::string name = "prefix";
    if (const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(test->test_suite_name()) + "." + test->name();
    const std::filesystem::path prefix = std::filesystem::path(TALVENA_INSTALL_PREFIXES) / name;
    std::filesystem::remove_all(prefix);
    const CommandResult install =
        run_command({TALVENA_CMAKE, "--install", TALVENA_BUILD_DIR, "--prefix", prefix.string()});
    EXPECT_EQ(install.exit_code, 0) << install.output;
    return install.exit_code == 0 ? prefix : std::filesystem::path();
}

} // namespace packaging_test
