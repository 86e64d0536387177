// The installed program started as the desktop starts it, without --data-dir: from an empty
// working folder its results go to the user's data folder, made at the first write; a
// talvena.rtr already in the working folder stays in use there. The figure data comes from the
// installed share/talvena/, since nothing else holds it.
#include "tests/e2e/program_run.h"
#include "tests/packaging/installed_tree.h"
#include "tests/support/file_bytes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using e2e::ProgramRun;
using test_support::file_bytes;

// A vision test failed at its first level (one record, three rings), then the chart, then the
// end.
const std::string VISION_TEST_AND_CHART = e2e::ACCEPT_DEFAULTS +
                                          "on pause K=2 click right\n"
                                          "on ring after 0.5 answer wrong\n"
                                          "on ring after 0.5 answer wrong\n"
                                          "on ring after 0.5 answer wrong\n"
                                          "on wait-click after 1 click left\n"
                                          "on figure after 0.5 menu Итоги_тренировок\n"
                                          "on chart after 0.5 click left\n"
                                          "on figure after 0.5 menu Выход\n";

// A record line of a vision test with its CR LF.
constexpr size_t VISION_LINE_BYTES = 82;

// Runs the installed program headless in a fresh working folder (e2e::run_command: its own
// XDG_DATA_HOME and XDG_CONFIG_HOME), after `prepare` has had the folder.
ProgramRun run_installed(const fs::path& prefix, const std::string& label,
                         const std::function<void(const fs::path&)>& prepare = {},
                         const std::string& more_options = "") {
    const std::string program = (prefix / "bin" / "talvena").string();
    return e2e::run_command(label,
                            {"sh", "-c",
                             "printf '%s' \"$0\" > script.txt && exec \"$1\" --headless "
                             "--virtual-clock --script script.txt --trace trace.txt " +
                                 more_options,
                             VISION_TEST_AND_CHART, program},
                            "trace.txt", prepare);
}

uint32_t mode_of(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

TEST(InstalledProgram, StartedFromAnEmptyFolderWritesToTheUsersDataFolder) {
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    const ProgramRun run = run_installed(prefix, "empty");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const fs::path folder = run.user_data_folder();
    const fs::path results = folder / "talvena.rtr";
    ASSERT_FALSE(run.trace.empty());
    EXPECT_EQ(run.trace.front().text(),
              "results-file path=" + results.string() + " from=user-data");
    EXPECT_LT(run.find("record kind=vision"), run.trace.size()) << run.trace_text();
    // The chart names the file on the status bar.
    EXPECT_LT(run.find("status text=Файл_итогов:_" + results.string()), run.trace.size())
        << run.trace_text();

    const std::string bytes = file_bytes(results);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 2) << "the header and the record";
    EXPECT_TRUE(fs::is_regular_file(folder / "talvena-trials.csv"));
    EXPECT_EQ(mode_of(folder), 0700u);
    for (const char* name : {"talvena.rtr", "talvena-trials.csv", "talvena.sym"})
        EXPECT_FALSE(fs::exists(run.folder / name)) << name << " in the working folder";
}

// The catalogue is found in the installed share/talvena/translations/; the script's Russian menu
// labels still work.
TEST(InstalledProgram, SpeaksEnglishFromTheInstalledCatalogue) {
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    const ProgramRun run = run_installed(prefix, "english", {}, "--language en");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    EXPECT_LT(run.find("window-opened unit=1 number=1025 title=Eye_Trainer"), run.trace.size())
        << run.trace_text();
    EXPECT_LT(run.find("menu label=Results"), run.trace.size()) << run.trace_text();
    EXPECT_LT(run.find("status text=Results_file:_"), run.trace.size()) << run.trace_text();
}

TEST(InstalledProgram, KeepsATalvenaRtrInTheWorkingFolderInUse) {
    const fs::path prefix = packaging_test::install_fresh_prefix();
    ASSERT_FALSE(prefix.empty());
    const std::string history =
        file_bytes(test_support::fixtures_dir() / "results" / "talvena.rtr");
    ASSERT_FALSE(history.empty());
    const ProgramRun run = run_installed(prefix, "history", [&](const fs::path& working) {
        test_support::write_bytes(working / "talvena.rtr", history);
    });
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    ASSERT_FALSE(run.trace.empty());
    EXPECT_EQ(run.trace.front().text(),
              "results-file path=" + (run.folder / "talvena.rtr").string() +
                  " from=working-folder");
    const std::string bytes = file_bytes(run.folder / "talvena.rtr");
    EXPECT_EQ(bytes.size(), history.size() + VISION_LINE_BYTES);
    EXPECT_TRUE(bytes.starts_with(history)) << "the history is kept as it was";
    EXPECT_TRUE(fs::is_regular_file(run.folder / "talvena-trials.csv"));
    EXPECT_FALSE(fs::exists(run.user_data_folder())) << "nothing in the user's data folder";
}

} // namespace
