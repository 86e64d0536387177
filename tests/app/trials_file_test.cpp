// The per-trial file: the lines of a vision test and of a training, the header of a new file, and
// failures that leave the file as it was.
#include "app/trials_file.h"
#include "tests/app/appending_fixture.h"

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

const ResultsStamp STARTED = {10, 12, 2026, 10, 0, 0};

TrialLog vision_log() {
    return {STARTED,
            "vision",
            {{1, 0.5f, std::nullopt, 1, 45, 3.14159, "correct", 0.7344, 3.0},
             {2, 0.7f, std::nullopt, -1, 0, 2.0, "none", std::nullopt, 2.1234}}};
}

TrialLog training_log() {
    return {STARTED,
            "training",
            {{1, std::nullopt, 4, -1, std::nullopt, std::nullopt, "wrong", 1.25, std::nullopt}}};
}

struct LineCase {
    const char* what;
    TrialLog log;
    bool completed;
    std::string line;
};

TEST(TrialsFile, LinesCarryTheFieldsOfTheirActivityOnly) {
    const TrialLog vision = vision_log();
    const TrialLog training = training_log();
    TrialLog mixed = training;
    mixed.trials[0].level = 0.9f;
    mixed.trials[0].tilt = 45;
    mixed.trials[0].gap_px = 1.0;
    mixed.trials[0].gap_drawn_px = 1.0;
    const std::vector<LineCase> cases = {
        {"an answered ring",
         {STARTED, "vision", {vision.trials[0]}},
         true,
         "2026-12-10T10:00:00,vision,1,0.50,,1,45,3.142,correct,0.734,1,3.000"},
        {"an unanswered ring",
         {STARTED, "vision", {vision.trials[1]}},
         false,
         "2026-12-10T10:00:00,vision,2,0.70,,-1,0,2.000,none,,0,2.123"},
        {"a training image", training, true,
         "2026-12-10T10:00:00,training,1,,4,-1,,,wrong,1.250,1,"},
        {"a training image carrying vision fields", mixed, false,
         "2026-12-10T10:00:00,training,1,,4,-1,,,wrong,1.250,0,"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(app_format_trial(c.log, c.log.trials[0], c.completed), c.line);
    }
    EXPECT_EQ(app_trials_header(), "started,activity,trial,level,cell_size,side,tilt,gap_px,"
                                   "verdict,answer_s,completed,gap_drawn_px");
}

TEST(TrialsFile, TheHeaderComesOnlyWithANewFile) {
    TempFolder folder;
    DataFolder data(folder.path());
    RecordEvents events;
    const fs::path path = folder.path() / TRIALS_FILE_NAME;

    app_save_trials({STARTED, "vision", {}}, true);
    EXPECT_FALSE(fs::exists(path)) << "nothing to keep, no file";
    app_save_trials(vision_log(), true);
    app_save_trials(training_log(), false);
    EXPECT_EQ(file_bytes(path),
              "started,activity,trial,level,cell_size,side,tilt,gap_px,verdict,answer_s,completed,"
              "gap_drawn_px\n"
              "2026-12-10T10:00:00,vision,1,0.50,,1,45,3.142,correct,0.734,1,3.000\n"
              "2026-12-10T10:00:00,vision,2,0.70,,-1,0,2.000,none,,1,2.123\n"
              "2026-12-10T10:00:00,training,1,,4,-1,,,wrong,1.250,0,\n");
    EXPECT_TRUE(events.events().empty());
}

// A file written before the gap as drawn was recorded gains the column: its lines get an empty
// field, new lines come after them, and no other file is left in the folder.
TEST(TrialsFile, AFileOfTheEarlierLayoutGainsTheLastColumn) {
    TempFolder folder;
    DataFolder data(folder.path());
    RecordEvents events;
    const fs::path path = folder.path() / TRIALS_FILE_NAME;
    write_bytes(path, "started,activity,trial,level,cell_size,side,tilt,gap_px,verdict,answer_s,"
                      "completed\n"
                      "2026-12-09T09:00:00,vision,1,0.50,,1,0,3.000,correct,0.500,1\n"
                      "2026-12-09T09:10:00,training,1,,4,-1,,,none,,0\n");
    app_save_trials(training_log(), true);
    EXPECT_EQ(file_bytes(path),
              "started,activity,trial,level,cell_size,side,tilt,gap_px,verdict,answer_s,completed,"
              "gap_drawn_px\n"
              "2026-12-09T09:00:00,vision,1,0.50,,1,0,3.000,correct,0.500,1,\n"
              "2026-12-09T09:10:00,training,1,,4,-1,,,none,,0,\n"
              "2026-12-10T10:00:00,training,1,,4,-1,,,wrong,1.250,1,\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    EXPECT_TRUE(events.events().empty());
}

TEST(TrialsFile, AFailureIsTracedAndLeavesEverythingAsItWas) {
    const std::string kept = app_trials_header() + "\n2026-12-09T09:00:00,vision,1,0.50,,1,0,"
                                                   "3.000,correct,0.500,1\n";
    const auto trials_in = [](const fs::path& folder) { return folder / TRIALS_FILE_NAME; };
    const auto existing = [kept](const fs::path& folder) {
        write_bytes(folder / TRIALS_FILE_NAME, kept);
        return folder / TRIALS_FILE_NAME;
    };
    std::vector<FailureCase> cases = unwritable_places(TRIALS_FILE_NAME);
    cases.push_back({"no room for a new file", trials_in, "cannot write: File too large", 100});
    cases.push_back({"no room for every line in an existing file", existing,
                     "cannot write: File too large", kept.size() + 70});
    const std::string earlier = "started,activity,trial,level,cell_size,side,tilt,gap_px,verdict,"
                                "answer_s,completed\n"
                                "2026-12-09T09:00:00,training,1,,4,-1,,,none,,0\n";
    cases.push_back({"no room to bring a file of the earlier layout up to date",
                     [earlier](const fs::path& folder) {
                         write_bytes(folder / TRIALS_FILE_NAME, earlier);
                         return folder / TRIALS_FILE_NAME;
                     },
                     "cannot write: File too large", earlier.size() + 5});
    appending_fixture::expect_failures_leave_everything(
        cases, "trials", [] { app_save_trials(vision_log(), true); });
}

} // namespace
