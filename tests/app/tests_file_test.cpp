// The per-test file: a finished test's line with its estimate, the header of a new file, and
// failures that leave the file as it was.
#include "app/tests_file.h"
#include "tests/app/appending_fixture.h"

#include <cmath>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using appending_fixture::DataFolder;
using appending_fixture::FailureCase;
using appending_fixture::file_bytes;
using appending_fixture::RecordEvents;
using appending_fixture::TempFolder;
using appending_fixture::unwritable_places;
using appending_fixture::write_bytes;

FinishedVisionTest finished_test() {
    FinishedVisionTest test;
    test.started = {10, 12, 2026, 10, 0, 0};
    test.result = 0.8f;
    test.estimate.logmar = std::log10(1.0 / 0.83);
    test.estimate.low_logmar = std::log10(1.0 / 0.97);
    test.estimate.high_logmar = std::log10(1.0 / 0.71);
    test.estimate.answers = 52;
    test.duration_s = 97.25;
    test.distance_cm = 200.0f;
    test.diagonal_in = 17.7f;
    test.nx = 1024;
    test.ny = 768;
    return test;
}

const std::string LINE =
    "2026-12-10T10:00:00,0.80,0,0.83,0.081,0.71,0.97,52,97.2,200.0,17.7,1024,768";

TEST(TestsFile, LinesCarryResultEstimateAndGeometry) {
    FinishedVisionTest at_limit = finished_test();
    at_limit.result = 2.0f;
    at_limit.limit = true;
    at_limit.estimate.open_low = true;
    FinishedVisionTest none_passed = finished_test();
    none_passed.result = 0.0f;
    none_passed.estimate.open_high = true;
    const struct {
        const char* what;
        FinishedVisionTest test;
        std::string line;
    } CASES[] = {
        {"a closed interval", finished_test(), LINE},
        // An end the answers do not bound stays empty.
        {"open on the better side, at the limit", at_limit,
         "2026-12-10T10:00:00,2.00,1,0.83,0.081,0.71,,52,97.2,200.0,17.7,1024,768"},
        {"open on the worse side", none_passed,
         "2026-12-10T10:00:00,0.00,0,0.83,0.081,,0.97,52,97.2,200.0,17.7,1024,768"},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(app_format_finished_test(c.test), c.line);
    }
}

TEST(TestsFile, TheHeaderComesOnlyWithANewFile) {
    TempFolder folder;
    DataFolder data(folder.path());
    RecordEvents events;
    app_save_finished_test(finished_test());
    app_save_finished_test(finished_test());
    EXPECT_EQ(file_bytes(folder.path() / TESTS_FILE_NAME),
              "started,result,limit,estimate_acuity,estimate_logmar,low,high,answers,duration_s,"
              "distance_cm,diagonal_in,nx,ny\n" +
                  LINE + "\n" + LINE + "\n");
    EXPECT_TRUE(events.events().empty());
}

TEST(TestsFile, AFailureIsTracedAndLeavesEverythingAsItWas) {
    const std::string kept = app_tests_header() + "\n" + LINE + "\n";
    std::vector<FailureCase> cases = unwritable_places(TESTS_FILE_NAME);
    cases.push_back({"no room for a new file",
                     [](const fs::path& folder) { return folder / TESTS_FILE_NAME; },
                     "cannot write: File too large", 100});
    cases.push_back({"no room for the line in an existing file",
                     [kept](const fs::path& folder) {
                         write_bytes(folder / TESTS_FILE_NAME, kept);
                         return folder / TESTS_FILE_NAME;
                     },
                     "cannot write: File too large", kept.size() + 20});
    appending_fixture::expect_failures_leave_everything(
        cases, "tests", [] { app_save_finished_test(finished_test()); });
}

} // namespace
