// The start screen of the real program, driven by a scripted mouse: the order of cell sizes over
// whole sweeps with their turns and restarts, clicks reaching the training and the vision test,
// both buttons ending the program only once they are up again, and a run that repeats exactly.
#include "tests/e2e/program_run.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <initializer_list>
#include <sstream>

namespace {

using e2e::joined_lines;
using e2e::ProgramRun;
using Steps = std::vector<std::string>;

// The steps of sizes shown in turn: each figure, then its pause.
void add_sizes(Steps& steps, std::initializer_list<int> sizes) {
    for (int k : sizes) {
        steps.push_back("figure K=" + std::to_string(k));
        steps.push_back("pause K=" + std::to_string(k));
    }
}

// A training started by a click is broken off at once with both buttons, released half a second
// later: the start screen then goes on as before.
const std::string BREAK_OFF_TRAINING = "on training-start press both\nafter 0.5 release both\n";

// A vision test started by a click is broken off with both buttons at its first ring.
const std::string BREAK_OFF_VISION_TEST = "on level press both\nafter 0.5 release both\n";
// What such a test leaves in brief: its first level, the ring with its beep, the abort.
const Steps BROKEN_OFF_VISION_TEST = {"request value=1", "level V=0.1 gap=16.513", "ring V=0.1",
                                      "tone hz=1000 ms=50", "aborted what=vision-test"};

// The end of most runs: "Выход" and its silent pause of 350 ms.
const Steps LEAVE = {"menu label=Выход", "tone hz=0 ms=350", "exit code=0"};

std::string file_text(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Steps joined(Steps steps, const Steps& more) {
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}

} // namespace

// The run from its start: frame, drawing window and parameter dialog, then the start screen.
// Sizes run 2..9, 8..2, 3..: the end sizes once at each turn. A restart (after a training or a
// vision test) begins the current sweep again at its first size: 8 on the way down, 3 on the way
// up after the first turn. A pause not cut short lasts exactly 5 s.
TEST(StartScreen, SizesSweepUpAndDownAndRestartAtTheSweepsFirstSize) {
    const ProgramRun run = e2e::run_program(
        "sweep", e2e::ACCEPT_DEFAULTS +
                     // Pause K=9 tops the first sweep; 11 s on is the pause of K=7 on the way
                     // down (8, 7 at 5 s each).
                     "on pause K=9 after 11 click left\n"
                     // Both buttons break the training off in its first grating.
                     "on training-start press both\nafter 0.5 release both\n"
                     // That training restarts the downward sweep at 8; it runs to 2 and turns.
                     // 6 s after its pause K=2 is the pause of K=3 on the way up.
                     "on pause K=2 after 6 click right\n"
                     // Both buttons break the vision test off at its first ring; it restarts
                     // the upward sweep at 3.
                     + BREAK_OFF_VISION_TEST +
                     "on pause K=3 after 1 press both\n"
                     "after 1 release both\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();

    Steps expected;
    add_sizes(expected, {2, 3, 4, 5, 6, 7, 8, 9, 8, 7});
    expected.push_back("training-start K=7 N=100");
    expected.push_back("aborted what=training");
    add_sizes(expected, {8, 7, 6, 5, 4, 3, 2, 3});
    expected.insert(expected.end(), BROKEN_OFF_VISION_TEST.begin(), BROKEN_OFF_VISION_TEST.end());
    add_sizes(expected, {3});
    expected.push_back("exit code=0");
    const size_t parameters = run.find("parameters ");
    ASSERT_LT(parameters, run.trace.size()) << run.trace_text();
    EXPECT_EQ(joined_lines(run.steps(parameters + 1)), joined_lines(expected));
    // Before the start screen: the results file (the run's folder holds none, so the user's
    // data folder), the frame, the drawing window on unit 1, the parameter dialog.
    const Steps all = run.steps();
    EXPECT_EQ(joined_lines(Steps(all.begin(), all.begin() + static_cast<ptrdiff_t>(parameters))),
              "results-file from=user-data\n"
              "frame-shown title=talvena\n"
              "window-opened unit=1 number=1025 title=Тренажер_для_глаз\n"
              "dialog-shown id=101\ndialog-closed id=101 button=1\n");

    int32_t whole_pauses = 0;
    for (size_t i = 0; i + 1 < run.trace.size(); ++i)
        if (run.trace[i].name == "pause" && run.trace[i + 1].name == "figure") {
            EXPECT_NEAR(run.trace[i + 1].time - run.trace[i].time, 5.0, 0.0005)
                << "pause K=" << run.trace[i].value("K") << " at " << run.trace[i].time;
            ++whole_pauses;
        }
    EXPECT_EQ(whole_pauses, 16);
}

// A click counts once its button is up again. The training gets the size whose figure was drawn
// last: during the grating after a restart that is still the size before it. A right click
// anywhere on the start screen asks for the vision test.
TEST(StartScreen, ClicksReachTheTrainingWithTheLastFiguresSizeAndTheVisionTest) {
    const struct {
        const char* name;
        std::string script;
        const char* from; // the steps are compared from this event on, itself included
        Steps steps;
    } CASES[] = {
        {"left in the first grating",
         // Nothing idles between the accepted parameters and the first grating row: the click
         // lands after that row.
         "on parameters press left\nrelease left\n" + BREAK_OFF_TRAINING + "after 1 menu Выход\n",
         "parameters ",
         joined({"parameters distance=200.0 diagonal=17.7 nx=1024 ny=768 volume=100",
                 "training-start K=2 N=100", "aborted what=training", "figure K=2", "pause K=2"},
                LEAVE)},
        {"left in the pause after the chart",
         // Dismissing the chart restarts the sweep at 2 while the last figure was of size 5.
         "on pause K=5 menu Итоги_тренировок\n"
         "on chart click left\non pause K=2 press left\nrelease left\n" +
             BREAK_OFF_TRAINING + "after 1 menu Выход\n",
         "pause K=5",
         joined({"pause K=5", "menu label=Итоги_тренировок", "request value=3",
                 "chart records=0 vision=0 training=0 stopped=0 file=missing", "wait-click",
                 "figure K=2", "pause K=2", "training-start K=2 N=100", "aborted what=training",
                 "figure K=2", "pause K=2"},
                LEAVE)},
        {"left in a pause",
         "on pause K=4 after 2 click left\n" + BREAK_OFF_TRAINING + "after 1 menu Выход\n",
         "pause K=4",
         joined({"pause K=4", "training-start K=4 N=100", "aborted what=training", "figure K=2",
                 "pause K=2"},
                LEAVE)},
        {"left held from size 2 into size 3",
         "on pause K=2 press left\nafter 8 release left\n" + BREAK_OFF_TRAINING +
             "after 1 menu Выход\n",
         "pause K=2",
         joined({"pause K=2", "figure K=3", "pause K=3", "training-start K=3 N=100",
                 "aborted what=training", "figure K=2", "pause K=2"},
                LEAVE)},
        {"right in the pause after the chart",
         "on pause K=3 menu Итоги_тренировок\n"
         "on chart click left\non pause K=2 press right\nrelease right\n" +
             BREAK_OFF_VISION_TEST + "after 1 menu Выход\n",
         "pause K=3",
         joined(joined({"pause K=3", "menu label=Итоги_тренировок", "request value=3",
                        "chart records=0 vision=0 training=0 stopped=0 file=missing", "wait-click",
                        "figure K=2", "pause K=2"},
                       BROKEN_OFF_VISION_TEST),
                joined({"figure K=2", "pause K=2"}, LEAVE))},
        {"right in a pause",
         "on pause K=3 after 1 click right\n" + BREAK_OFF_VISION_TEST + "after 1 menu Выход\n",
         "pause K=3",
         joined(joined({"pause K=3"}, BROKEN_OFF_VISION_TEST),
                joined({"figure K=2", "pause K=2"}, LEAVE))},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = e2e::run_program(c.name, e2e::ACCEPT_DEFAULTS + c.script);
        EXPECT_EQ(run.exit_code, 0) << run.output;
        const size_t from = run.find(c.from);
        ASSERT_LT(from, run.trace.size()) << run.trace_text();
        EXPECT_EQ(joined_lines(run.steps(from)), joined_lines(c.steps));
    }
}

// Both buttons end the program from the start screen, but only after the last of them is up:
// the exit comes at the release, and nothing is drawn in between.
TEST(StartScreen, BothButtonsEndTheProgramOnceReleased) {
    const struct {
        const char* name;
        const char* script;
        const char* from;     // the event the press follows
        double press_after;   // seconds from that event to the press
        double release_after; // seconds from the press to the last release
    } CASES[] = {
        // An `on` line fires at the pause's first wait, at the very time of its event.
        {"both in a pause", "on pause K=3 press both\nafter 2 release both\n", "pause K=3", 0.0,
         2.0},
        {"left, then right, released one by one",
         "on pause K=3 press left\nafter 0.5 press right\nafter 1 release left\n"
         "after 1 release right\n",
         "pause K=3", 0.0, 2.5},
        // Both buttons dismiss the chart and, still latched, end the program once up.
        {"both on the chart",
         "on pause K=4 menu Итоги_тренировок\n"
         "on wait-click press both\nafter 1 release both\n",
         "wait-click", 0.0, 1.0},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = e2e::run_program(c.name, e2e::ACCEPT_DEFAULTS + c.script);
        EXPECT_EQ(run.exit_code, 0) << run.output;
        const size_t from = run.find(c.from);
        ASSERT_LT(from, run.trace.size()) << run.trace_text();
        EXPECT_EQ(joined_lines(run.steps(from + 1)), "exit code=0\n") << run.trace_text();

        const double released = run.trace[from].time + c.press_after + c.release_after;
        EXPECT_NEAR(run.trace.back().time, released, 0.0005) << run.trace_text();
    }
}

// The same script, seed and start time give the same trace, byte for byte and times included
// (the run's own folder in the results file's path aside), however the program's threads are
// scheduled. An answer lands at its own time, to the
// microsecond, not at the next whole millisecond: 1.2344 s is 1.234, and 0.3334 s is 0.333.
TEST(StartScreen, ARunRepeatsExactlyWithEachActionAtItsOwnTime) {
    const std::string script = e2e::ACCEPT_DEFAULTS + "on pause K=3 after 1.5 click left\n"
                                                      "on image i=1 after 0.8 answer correct\n"
                                                      "on image i=2 after 1.2344 answer wrong\n"
                                                      "on image i=3 after 0.4 press both\n"
                                                      "after 0.5 release both\n"
                                                      "on pause K=2 after 0.25 click right\n"
                                                      "on ring after 0.3334 answer correct\n"
                                                      "on ring after 0.5 press both\n"
                                                      "after 0.5 release both\n"
                                                      "on pause K=2 after 1 menu Выход\n";
    const ProgramRun first = e2e::run_program("first", script);
    const ProgramRun second = e2e::run_program("second", script);
    ASSERT_EQ(first.exit_code, 0) << first.output;
    ASSERT_EQ(second.exit_code, 0) << second.output;
    const std::string trace = file_text(first.folder / "trace.txt");
    // The results file is named with its path, which holds the run's own folder.
    const auto without_folder = [](const ProgramRun& run) {
        std::string text = file_text(run.folder / "trace.txt");
        const std::string folder = run.folder.string();
        for (size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at))
            text.replace(at, folder.size(), "RUN");
        return text;
    };
    EXPECT_EQ(without_folder(first), without_folder(second));

    const size_t answer = first.find("answer i=2");
    ASSERT_LT(answer, first.trace.size()) << trace;
    EXPECT_EQ(first.trace[answer].value("dt"), "1.234");
    const size_t ring_answer = first.find("ring-answer");
    ASSERT_LT(ring_answer, first.trace.size()) << trace;
    EXPECT_EQ(first.trace[ring_answer].value("dt"), "0.333");
    EXPECT_EQ(first.trace.back().text(), "exit code=0");
}
