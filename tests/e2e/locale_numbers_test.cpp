// Numbers keep their point under a locale that writes a decimal comma: the trace's values, the
// status texts and the record, with a German locale compiled for the test (skipped where the
// system cannot compile one).
#include "tests/e2e/program_run.h"
#include "tests/support/file_bytes.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>

namespace {

namespace fs = std::filesystem;

// Compiles de_DE.UTF-8 into `folder` for LOCPATH; false when the system has no means to.
bool compile_german_locale(const fs::path& folder) {
    if (!fs::exists("/usr/share/i18n/locales/de_DE"))
        return false;
    fs::create_directories(folder);
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 && fs::exists(folder / "de_DE.UTF-8");
}

TEST(LocaleNumbers, ADecimalCommaLocaleChangesNoNumber) {
    const fs::path locales = fs::path(testing::TempDir()) / "talvena-locales";
    if (!compile_german_locale(locales))
        GTEST_SKIP() << "no de_DE locale can be compiled here";
    const std::string script = e2e::ACCEPT_DEFAULTS +
                               "on pause K=2 click right\n"
                               "on ring after 0.5 answer wrong\n"
                               "on ring after 0.5 answer wrong\n"
                               "on ring after 0.5 answer wrong\n"
                               "on wait-click after 0.5 click left\n"
                               "on figure after 0.5 menu Выход\n";
    for (const char* language : {"ru", "en"}) {
        SCOPED_TRACE(language);
        const e2e::ProgramRun run = e2e::run_command(
            std::string("german_") + language,
            {"sh", "-c",
             "printf '%s' \"$0\" > script.txt && LOCPATH=\"$1\" LC_ALL=de_DE.UTF-8 exec \"$2\" "
             "--headless --virtual-clock --data-dir . --script script.txt --trace trace.txt "
             "--language \"$3\"",
             script, locales.string(), e2e::program_path().string(), language},
            "trace.txt");
        ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
        EXPECT_LT(run.find("level V=0.1 gap=16.513"), run.trace.size()) << run.trace_text();
        EXPECT_LT(run.find("vision-result V=0.0"), run.trace.size()) << run.trace_text();
        const std::regex decimal_comma("[0-9],[0-9]");
        for (const e2e::TraceEvent& event : run.trace) {
            if (event.name == "status") {
                EXPECT_FALSE(std::regex_search(event.value("text"), decimal_comma))
                    << event.text();
            }
        }
        const std::string record = test_support::file_bytes(run.folder / "talvena.rtr");
        EXPECT_NE(record.find("DD=17.7"), std::string::npos) << record;
    }
}

} // namespace
