// A vision test on a real X server on the real clock, with the frame taken away from the user in
// the middle of an answer window: unmapped, behind another X client that took the keyboard, or
// shrunk below the drawing surface. The ring waits for the user's return and its answer time
// leaves the away time out.
#include "tests/e2e/program_run.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr double AWAY_SECONDS = 2.5; // longer than a ring's answer window

bool x_tools_present() {
    return std::system("command -v xvfb-run >/dev/null 2>&1 && command -v xdotool >/dev/null "
                       "2>&1 && command -v xmessage >/dev/null 2>&1") == 0;
}

struct AwayCase {
    const char* how;
};

class AwayOnX : public ::testing::TestWithParam<AwayCase> {};

TEST_P(AwayOnX, RingStandsStillUntilTheFrameIsBack) {
    if (!x_tools_present())
        GTEST_SKIP() << "xvfb-run, xdotool or xmessage is not installed";
    const std::string how = GetParam().how;
    const e2e::ProgramRun run = e2e::run_command(
        how,
        {"xvfb-run", "-a", "-s", "-screen 0 1366x768x24", "env", "QT_QPA_PLATFORM=xcb",
         std::string(TALVENA_SOURCE_DIR) + "/bench/away_on_x.sh", e2e::program_path().string(),
         "vision", how, std::to_string(AWAY_SECONDS), "3"},
        "trace.txt");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();
    const size_t away = run.find("away");
    ASSERT_LT(away, run.trace.size()) << run.trace_text();
    const size_t back = run.find("back", away);
    ASSERT_LT(back, run.trace.size()) << run.trace_text();
    EXPECT_GE(run.trace[back].time - run.trace[away].time, AWAY_SECONDS - 0.5);
    EXPECT_EQ(run.find("ring", away), run.find("ring", back)) << "nothing judged or drawn away";

    // The ring shown when the frame went away is judged after it is back, on its own clock.
    size_t ring = away;
    while (ring > 0 && run.trace[ring].name != "ring")
        --ring;
    const size_t judged = run.find("ring-answer", back);
    ASSERT_LT(judged, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[judged].value("verdict"), "none");
    EXPECT_NEAR(std::stod(run.trace[judged].value("dt")), 2.0, 0.1);
    EXPECT_GE(run.trace[judged].time - run.trace[ring].time, 2.0 + AWAY_SECONDS - 0.5);
    if (how == "shrink") {
        const size_t note = run.find("status text=Окно_мало_для_картинки", away);
        EXPECT_LT(note, back) << run.trace_text();
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, AwayOnX,
                         ::testing::Values(AwayCase{"unmap"}, AwayCase{"focus"},
                                           AwayCase{"shrink"}),
                         [](const auto& test_info) { return std::string(test_info.param.how); });

} // namespace
