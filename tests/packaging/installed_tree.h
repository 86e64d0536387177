// The build installed into a prefix of its own with `cmake --install`, and commands run on what
// it installed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace packaging_test {

// What a command did: its exit code (-1 when it could not be run) and its output, standard
// error included.
struct CommandResult {
    int exit_code = -1;
    std::string output;
};

// Runs the command, each word passed as it is.
CommandResult run_command(const std::vector<std::string>& words);

// True when a program of that name is on the PATH.
bool tool_present(const std::string& name);

// Installs the build into a fresh prefix named after the running test (under the build tree,
// kept for a look after a failure) and returns it; empty, with the failure recorded, when the
// install fails.
std::filesystem::path install_fresh_prefix();

} // namespace packaging_test
