// Running the talvena program in a child process and reading its trace.
#include "tests/e2e/program_run.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {
namespace {

namespace fs = std::filesystem;

// Every child gets this long; the tests' own ctest timeouts are longer.
constexpr const char* CHILD_SECONDS = "60";
// After the time is up: how long a child that ignores SIGTERM has before SIGKILL.
constexpr const char* KILL_AFTER_SECONDS = "5";
// The child's XDG_DATA_HOME, inside its folder: a run never touches the user's own files.
constexpr const char* DATA_HOME = "data-home";

std::string read_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "Suite.Name-label", with anything but letters, digits, '-' and '.' made '_'.
std::string folder_name(std::string_view label) {
    std::string name = "run";
    if (const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(test->test_suite_name()) + "." + test->name();
    if (!label.empty())
        name += "-" + std::string(label);
    for (char& c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!plain)
            c = '_';
    }
    return name;
}

fs::path fresh_folder(std::string_view label) {
    const fs::path folder = fs::path(TALVENA_E2E_RUNS) / folder_name(label);
    fs::remove_all(folder);
    fs::create_directories(folder / "runtime");
    fs::permissions(folder / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    return folder;
}

// Runs `command` under `timeout` in `folder`, its output going to output.txt there. The child
// asks for SIGTERM when this process dies, and `timeout` hands that on, so a test killed by
// ctest takes its program with it. Returns the exit code, or -1.
int run_child(const fs::path& folder, const std::vector<std::string>& command) {
    std::vector<std::string> words = {"timeout", "-k", KILL_AFTER_SECONDS, CHILD_SECONDS};
    words.insert(words.end(), command.begin(), command.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string runtime_dir = (folder / "runtime").string();
    const std::string output = (folder / "output.txt").string();

    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || chdir(folder.c_str()) != 0)
            _exit(127);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        close(fd);
        setenv("XDG_RUNTIME_DIR", runtime_dir.c_str(), 1);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        setenv("XDG_DATA_HOME", (folder / DATA_HOME).c_str(), 1);
        // A run on a real display follows the user's language: Russian, as the scripts expect,
        // whatever the machine's locale. --language still chooses.
        setenv("LANGUAGE", "ru", 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ProgramRun run_in(const fs::path& folder, const std::vector<std::string>& command,
                  const fs::path& trace) {
    ProgramRun run;
    run.folder = folder;
    run.exit_code = run_child(folder, command);
    run.output = read_text(folder / "output.txt");
    if (!trace.empty())
        run.trace = read_trace(folder / trace);
    return run;
}

} // namespace

std::string TraceEvent::value(std::string_view key) const {
    for (const auto& [field_key, text] : fields)
        if (field_key == key)
            return text;
    return {};
}

std::string TraceEvent::text() const {
    std::string line = name;
    for (const auto& [key, text] : fields)
        line += " " + key + "=" + text;
    return line;
}

std::string joined_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string ProgramRun::trace_text() const {
    std::vector<std::string> lines;
    for (const TraceEvent& event : trace)
        lines.push_back(event.text());
    return joined_lines(lines);
}

size_t ProgramRun::find(std::string_view prefix, size_t from) const {
    for (size_t i = from; i < trace.size(); ++i)
        if (trace[i].text().starts_with(prefix))
            return i;
    return trace.size();
}

std::vector<std::string> ProgramRun::steps(size_t from) const {
    std::vector<std::string> brief;
    for (size_t i = from; i < trace.size(); ++i) {
        const TraceEvent& event = trace[i];
        if (event.name == "status")
            continue;
        if (event.name == "figure" || event.name == "pause")
            brief.push_back(event.name + " K=" + event.value("K"));
        else if (event.name == "results-file")
            brief.push_back(event.name + " from=" + event.value("from"));
        else if (event.name == "ring")
            brief.push_back(event.name + " V=" + event.value("V"));
        else if (event.name == "message")
            brief.push_back(event.name + " caption=" + event.value("caption"));
        else
            brief.push_back(event.text());
    }
    return brief;
}

std::filesystem::path ProgramRun::user_data_folder() const {
    return folder / DATA_HOME / "talvena";
}

std::filesystem::path ProgramRun::snapshot(std::string_view name) const {
    return folder / (std::string(name) + ".png");
}

std::vector<TraceEvent> read_trace(const std::filesystem::path& path) {
    std::vector<TraceEvent> events;
    std::istringstream in(read_text(path));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        TraceEvent event;
        if (!(words >> event.time >> event.name))
            continue;
        for (std::string word; words >> word;) {
            const size_t equals = word.find('=');
            if (equals == std::string::npos)
                event.fields.emplace_back(word, "");
            else
                event.fields.emplace_back(word.substr(0, equals), word.substr(equals + 1));
        }
        events.push_back(std::move(event));
    }
    return events;
}

std::filesystem::path program_path() {
    return TALVENA_EXECUTABLE;
}

std::filesystem::path figure_data_path() {
    return program_path().parent_path() / "talvena.sym";
}

ProgramRun run_command(std::string_view label, const std::vector<std::string>& command,
                       const std::filesystem::path& trace,
                       const std::function<void(const std::filesystem::path& folder)>& prepare) {
    const fs::path folder = fresh_folder(label);
    if (prepare)
        prepare(folder);
    return run_in(folder, command, trace);
}

ProgramRun run_program(std::string_view label, std::string_view script, const RunOptions& options) {
    const fs::path folder = fresh_folder(label);
    std::ofstream(folder / "script.txt", std::ios::binary) << script;
    if (options.prepare)
        options.prepare(folder);
    std::vector<std::string> command = {program_path().string(),
                                        "--headless",
                                        "--virtual-clock",
                                        "--seed",
                                        std::to_string(options.seed),
                                        "--start-time",
                                        options.start_time,
                                        "--script",
                                        "script.txt",
                                        "--trace",
                                        "trace.txt"};
    command.insert(command.end(), options.arguments.begin(), options.arguments.end());
    return run_in(folder, command, "trace.txt");
}

} // namespace e2e
