// The vision test in the real program, driven by a scripted user who answers ring after ring:
// the bisection's levels, the decision rules of a level, the result, its record in talvena.rtr,
// a test cut short by both buttons, and a results file that cannot be written.
#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"
#include "platform/raster/png.h"
#include "runtime/cp1251.h"
#include "tests/e2e/program_run.h"
#include "tests/support/file_bytes.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using e2e::joined_lines;
using e2e::ProgramRun;
using test_support::file_bytes;
using Steps = std::vector<std::string>;

// The answers to a level's rings, one character a ring: C correct, W wrong, '-' none (the ring
// is left for its two seconds), R an uncounted ring of the first level left unanswered. An
// answer comes half a second after its ring is drawn.
std::string answers(std::string_view rings) {
    std::string script;
    for (const char ring : rings) {
        switch (ring) {
        case 'C':
            script += "on ring after 0.5 answer correct\n";
            break;
        case 'W':
            script += "on ring after 0.5 answer wrong\n";
            break;
        case '-':
            script += "on ring-answer verdict=none snapshot unanswered\n";
            break;
        case 'R':
            script += "on ring-answer verdict=repeat snapshot repeated\n";
            break;
        }
    }
    return script;
}

constexpr std::string_view PASS = "CCCCCCCCCC";
constexpr std::string_view FAIL = "WWW";

// A right click in the first pause starts a vision test.
const std::string START_VISION_TEST = e2e::ACCEPT_DEFAULTS + "on pause K=2 click right\n";

// A run that takes a vision test from the first pause of the start screen, answers its rings,
// clicks the result away and leaves at the next figure.
std::string vision_script(const std::string& rings) {
    return START_VISION_TEST + answers(rings) +
           "on wait-click after 1 click left\n"
           "on figure after 0.5 menu Выход\n";
}

// The test's own course: levels, their ends, the result and the record.
Steps vision_steps(const ProgramRun& run) {
    Steps steps;
    for (const e2e::TraceEvent& event : run.trace) {
        if (event.name == "level")
            steps.push_back("level V=" + event.value("V"));
        else if (event.name == "level-end" || event.name == "vision-result" ||
                 event.name == "record" || event.name == "record-failed" ||
                 event.name == "aborted" || event.name == "wait-click")
            steps.push_back(event.name == "record-failed" ? "record-failed" : event.text());
    }
    return steps;
}

const std::string RESULTS_HEADER =
    "     Дата             Время        Дальность    Размер Nпоказов "
    "Nверн_отв Nошибок Nнет_отв Ср.вр._отв    Nотжиманий";

} // namespace

// The bisection's course for the users the table allows: each plan is the levels' answers in
// order, and the levels tried follow from what was passed.
struct Course {
    const char* name;
    std::string answers;
    Steps levels; // V=... passed=... for each level, then the result
    std::string result;
    int32_t limit = 0; // 1: the result is the highest level the screen shows
};

void PrintTo(const Course& course, std::ostream* out) {
    *out << course.name;
}

class VisionCourseTest : public ::testing::TestWithParam<Course> {};

TEST_P(VisionCourseTest, LevelsFollowTheBisectionToTheResult) {
    const Course& course = GetParam();
    const ProgramRun run = e2e::run_program(course.name, vision_script(course.answers));
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    Steps expected;
    for (const std::string& level : course.levels) {
        const std::string v = level.substr(0, level.find(' '));
        expected.push_back("level " + v);
        expected.push_back("level-end " + level);
    }
    expected.push_back("record kind=vision");
    expected.push_back("vision-result V=" + course.result +
                       " limit=" + std::to_string(course.limit));
    expected.push_back("wait-click");
    EXPECT_EQ(joined_lines(vision_steps(run)), joined_lines(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Users, VisionCourseTest,
    ::testing::Values(
        Course{"passes_every_level",
               std::string(PASS) + std::string(PASS) + std::string(PASS) + std::string(PASS) +
                   std::string(PASS),
               {"V=0.1 passed=1", "V=0.7 passed=1", "V=1.0 passed=1", "V=1.5 passed=1",
                "V=2.0 passed=1"},
               "2.0",
               1},
        Course{"fails_the_first_level", std::string(FAIL), {"V=0.1 passed=0"}, "0.0"},
        Course{"passes_up_to_0_5",
               std::string(PASS) + std::string(FAIL) + std::string(PASS) + std::string(PASS) +
                   std::string(FAIL),
               {"V=0.1 passed=1", "V=0.7 passed=0", "V=0.4 passed=1", "V=0.5 passed=1",
                "V=0.6 passed=0"},
               "0.5"},
        Course{"passes_up_to_1_25",
               std::string(PASS) + std::string(PASS) + std::string(PASS) + std::string(FAIL) +
                   std::string(PASS),
               {"V=0.1 passed=1", "V=0.7 passed=1", "V=1.0 passed=1", "V=1.5 passed=0",
                "V=1.25 passed=1"},
               "1.25"},
        // Unanswered rings between correct answers do not break the run of ten, as long as
        // fewer than five follow one another; a wrong answer starts the ten again.
        Course{"unanswered_between_correct_answers",
               "CC--CC----CCCCCC" + std::string(FAIL) + std::string(FAIL) + std::string(FAIL),
               {"V=0.1 passed=1", "V=0.7 passed=0", "V=0.4 passed=0", "V=0.2 passed=0"},
               "0.1"},
        Course{"wrong_restarts_the_ten",
               "CCCCCCCCCW" + std::string(PASS) + std::string(FAIL) + std::string(FAIL) +
                   std::string(FAIL),
               {"V=0.1 passed=1", "V=0.7 passed=0", "V=0.4 passed=0", "V=0.2 passed=0"},
               "0.1"},
        // Three wrong answers far apart fail the level; five unanswered in a row fail it too.
        Course{"three_wrong_far_apart", "WCCCCWCCCCW", {"V=0.1 passed=0"}, "0.0"},
        Course{"five_unanswered_in_a_row", "CCC-----", {"V=0.1 passed=0"}, "0.0"}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

// Before the first answer of the test the rings at 0.1 come again and again, uncounted and
// silent; answer times and tones are those of the rules once the user answers.
TEST(VisionTest, FirstRingsRepeatUntilTheFirstAnswer) {
    const ProgramRun run =
        e2e::run_program("repeats", vision_script("RRR" + std::string(PASS) + std::string(FAIL)));
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t level = run.find("level V=0.1");
    ASSERT_LT(level, run.trace.size()) << run.trace_text();
    Steps seen;
    for (size_t i = level + 1; i < run.trace.size() && seen.size() < 16; ++i) {
        const e2e::TraceEvent& event = run.trace[i];
        if (event.name == "ring-answer")
            seen.push_back(event.text());
        else if (event.name == "tone")
            seen.push_back(event.text());
    }
    // Each ring beeps 1000 Hz for 50 ms as it is shown; an uncounted ring adds nothing more.
    const Steps expected = {
        "tone hz=1000 ms=50",
        "ring-answer verdict=repeat dt=2.000",
        "tone hz=1000 ms=50",
        "ring-answer verdict=repeat dt=2.000",
        "tone hz=1000 ms=50",
        "ring-answer verdict=repeat dt=2.000",
        "tone hz=1000 ms=50",
        "ring-answer verdict=correct dt=0.500 input=mouse",
        "tone hz=800 ms=200",
        "tone hz=1000 ms=50",
        "ring-answer verdict=correct dt=0.500 input=mouse",
        "tone hz=800 ms=200",
    };
    EXPECT_EQ(joined_lines(Steps(seen.begin(), seen.begin() + 12)), joined_lines(expected));
    // A ring left alone later in the test is counted and answered by a short low tone.
    const ProgramRun later =
        e2e::run_program("later_miss", vision_script("C-" + std::string(FAIL)));
    const size_t miss = later.find("ring-answer verdict=none");
    ASSERT_LT(miss, later.trace.size()) << later.trace_text();
    EXPECT_EQ(later.trace[miss].value("dt"), "2.000");
    EXPECT_EQ(later.trace[miss + 1].text(), "tone hz=400 ms=50");
}

// The record is one line of 80 characters under the header, in CP1251 with CR LF, stamped with
// the local time at which it was written.
TEST(VisionTest, RecordLineIsWrittenByteForByte) {
    const ProgramRun run = e2e::run_program("record", vision_script(std::string(FAIL)));
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t record = run.find("record kind=vision");
    ASSERT_LT(record, run.trace.size()) << run.trace_text();
    // Started at 10:00:00 on the virtual clock.
    const auto seconds = static_cast<int>(std::floor(run.trace[record].time));
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, " 10.12.2026г,  10час %2dмин %2dсек, D=", seconds / 60,
                  seconds % 60);
    const std::string expected =
        RESULTS_HEADER + "\r\n" + stamp + "  200.0см  DD=17.7  ny= 768 nx=1024 OZ2=0.00\r\n";
    EXPECT_EQ(file_bytes(run.user_data_folder() / "talvena.rtr"), utf8_to_cp1251(expected));
}

// Both buttons in the middle of a level end the test at once: no result, no record, and the
// start screen goes on (the latched buttons were cleared, so it does not take them for its exit).
TEST(VisionTest, BothButtonsAbortWithoutResultOrRecord) {
    for (const std::string_view when :
         {"on ring after 0.5 press both\n", "on ring-answer after 0.5 press both\n"}) {
        SCOPED_TRACE(when);
        const ProgramRun run =
            e2e::run_program("abort", START_VISION_TEST + answers("CCC") + std::string(when) +
                                          "after 0.1 release both\n"
                                          "on figure K=3 menu Выход\n");
        ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
        EXPECT_EQ(joined_lines(vision_steps(run)),
                  joined_lines({"level V=0.1", "aborted what=vision-test"}));
        EXPECT_FALSE(fs::exists(run.user_data_folder() / "talvena.rtr"));
        const size_t aborted = run.find("aborted");
        EXPECT_LT(run.find("figure K=2", aborted), run.trace.size()) << run.trace_text();
        EXPECT_LT(run.find("menu label=Выход", aborted), run.trace.size());
    }
}

// A results file that cannot be written loses nothing else: the result is shown, a message box
// names the file and the reason, the trace says so, and the program goes on.
TEST(VisionTest, UnwritableResultsFileIsReportedAndSurvived) {
    e2e::RunOptions options;
    options.prepare = [](const fs::path& folder) { fs::create_directory(folder / "talvena.rtr"); };
    const ProgramRun run = e2e::run_program("unwritable",
                                            START_VISION_TEST + answers(FAIL) +
                                                "on message after 0.5 key Enter\n"
                                                "on wait-click after 0.5 click left\n"
                                                "on figure after 0.5 menu Выход\n",
                                            options);
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    EXPECT_EQ(joined_lines(vision_steps(run)),
              joined_lines({"level V=0.1", "level-end V=0.1 passed=0", "record-failed",
                            "vision-result V=0.0 limit=0", "wait-click"}));
    const size_t failed = run.find("record-failed");
    ASSERT_LT(failed, run.trace.size());
    EXPECT_NE(run.trace[failed].value("reason").find("talvena.rtr"), std::string::npos);
    const size_t message = run.find("message", failed);
    ASSERT_LT(message, run.trace.size()) << run.trace_text();
    EXPECT_NE(run.trace[message].value("text").find("talvena.rtr"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(run.folder / "talvena.rtr"));
}

namespace {

// The instruction box over a running test: the ring's answer window stands still while the box
// is up (six seconds, three times the window), and goes on where it was once it is closed. The
// answer time is the user's: the 0.3 s before the box and the 0.4 s after it.
TEST(VisionTest, AnswerWindowStandsStillUnderABox) {
    const ProgramRun run =
        e2e::run_program("box", START_VISION_TEST + answers("C") +
                                    "on ring after 0.3 menu Инструкция\n"
                                    "on message after 6 key Enter\n"
                                    "after 0.4 answer correct\n" +
                                    answers("CCCCCCCC") + "on level-end after 0.1 menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t box = run.find("message caption=talvena");
    ASSERT_LT(box, run.trace.size()) << run.trace_text();
    const size_t answer = run.find("ring-answer", box);
    ASSERT_LT(answer, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[answer].text(), "ring-answer verdict=correct dt=0.700 input=mouse");
    EXPECT_EQ(run.find("ring-answer verdict=none"), run.trace.size()) << run.trace_text();
    EXPECT_NEAR(run.trace[answer].time - run.trace[box].time, 6.4, 0.0005);
}

} // namespace

namespace {

// A 24-inch screen of 1920 x 1080 seen from `distance` cm, and a vision test started: from 60 cm
// (a desk) the rings of 1.5 and 2.0 have less than half a pixel of gap, from 4 cm even those of
// 0.1.
std::string desk_parameters(int32_t distance) {
    return "on dialog-shown id=101 dialog set 1000 " + std::to_string(distance) +
           "\ndialog set 1001 24\n"
           "dialog set 1002 1080\n"
           "dialog set 1003 1920\n"
           "dialog press 1\n"
           "on pause K=2 click right\n";
}

// Blue pixels where the result screen writes its "не менее" line.
int32_t blue_under_caption(const fs::path& png) {
    const std::optional<raster::Bitmap> bitmap = raster::read_png(png);
    if (!bitmap)
        return -1;
    int32_t blue = 0;
    for (int32_t y = 295; y < 345; ++y)
        for (int32_t x = 195; x < 440; ++x)
            blue += raster::colorref_from_pixel(bitmap->pixel(x, y)) == 0xFF0000 ? 1 : 0;
    return blue;
}

// At the desk the bisection starts below the first level the screen cannot show: a user who
// passes everything tries 0.1, 0.6, 0.9, 1.0 and 1.25, no ring of a smaller gap is ever drawn,
// and the result is 1.25 marked as a limit, on the screen, in the status bar and in the trace;
// the record holds 1.25. A result below the limit has no such line.
TEST(VisionTest, DeskGeometryTestsOnlyWhatTheScreenShows) {
    const std::string pass_all = std::string(PASS) + std::string(PASS) + std::string(PASS) +
                                 std::string(PASS) + std::string(PASS);
    const ProgramRun run = e2e::run_program("desk", desk_parameters(60) + answers(pass_all) +
                                                        "on wait-click after 0.5 snapshot result\n"
                                                        "after 0.5 click left\n"
                                                        "on figure after 0.5 menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    Steps expected;
    for (const char* v : {"0.1", "0.6", "0.9", "1.0", "1.25"}) {
        expected.push_back(std::string("level V=") + v);
        expected.push_back(std::string("level-end V=") + v + " passed=1");
    }
    expected.insert(expected.end(),
                    {"record kind=vision", "vision-result V=1.25 limit=1", "wait-click"});
    EXPECT_EQ(joined_lines(vision_steps(run)), joined_lines(expected));
    int32_t rings = 0;
    for (const e2e::TraceEvent& event : run.trace) {
        if (event.name == "level") {
            EXPECT_GE(std::stod(event.value("gap")), 0.5) << event.text();
        }
        if (event.name == "ring") {
            ++rings;
            EXPECT_TRUE(event.value("V") != "1.5" && event.value("V") != "2.0") << event.text();
        }
    }
    EXPECT_EQ(rings, 50);
    EXPECT_GT(blue_under_caption(run.snapshot("result")), 50);
    const size_t result = run.find("vision-result");
    const size_t status = run.find("status text=Острота_не_менее_1.25");
    EXPECT_LT(status, result) << run.trace_text();
    const std::string record = cp1251_to_utf8(file_bytes(run.user_data_folder() / "talvena.rtr"));
    EXPECT_NE(record.find("OZ2=1.25"), std::string::npos) << record;

    const ProgramRun below = e2e::run_program(
        "desk_below", desk_parameters(60) +
                          answers(std::string(PASS) + std::string(PASS) + std::string(PASS) +
                                  std::string(PASS) + std::string(FAIL)) +
                          "on wait-click after 0.5 snapshot result\n"
                          "after 0.5 click left\n"
                          "on figure after 0.5 menu Выход\n");
    ASSERT_EQ(below.exit_code, 0) << below.output << below.trace_text();
    EXPECT_LT(below.find("vision-result V=1.0 limit=0"), below.trace.size()) << below.trace_text();
    EXPECT_EQ(blue_under_caption(below.snapshot("result")), 0);
    EXPECT_EQ(below.find("status text=Острота_не_менее"), below.trace.size());
}

// So close that not even 0.1 can be shown: a box says so and names the distance from which it
// can, and the test does not start; nothing is recorded and the start screen goes on.
TEST(VisionTest, NothingShowableIsSaidAndNotTested) {
    const ProgramRun run =
        e2e::run_program("too_close", desk_parameters(4) + "on message after 0.5 key Enter\n"
                                                           "on figure after 0.5 menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t message = run.find("message");
    ASSERT_LT(message, run.trace.size()) << run.trace_text();
    const std::string text = run.trace[message].value("text");
    EXPECT_NE(text.find("с_5_см"), std::string::npos) << text;
    EXPECT_EQ(run.find("level"), run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.find("ring"), run.trace.size());
    EXPECT_FALSE(fs::exists(run.user_data_folder() / "talvena.rtr"));
    EXPECT_LT(run.find("figure", message), run.trace.size());
}

} // namespace
