// Keys pressed by the scripted user in the drawing window of the real program.
#include "tests/e2e/program_run.h"

#include <gtest/gtest.h>

namespace {

// With the default resolution the headless frame shows the whole 980 x 650 drawing surface.
// Characters beep, Enter among them (Escape and the keys that stand for the buttons are the start
// screen's own); the shortcuts do nothing, and the scrolling keys have nowhere to go.
TEST(Keyboard, CharactersInTheDrawingWindowBeepAndOtherKeysDoNot) {
    const e2e::ProgramRun run =
        e2e::run_program("keys", e2e::ACCEPT_DEFAULTS + "on pause K=2 key x\n"
                                                        "after 0.1 key Ctrl+C\n"
                                                        "after 0.1 key Shift+Insert\n"
                                                        "after 0.1 key Ctrl+PageDown\n"
                                                        "after 0.1 key End\n"
                                                        "after 0.1 key Enter\n"
                                                        "after 0.1 close\n");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    const size_t opened = run.find("window-opened unit=1");
    ASSERT_LT(opened, run.trace.size()) << run.trace_text();
    const std::string beep = "beep window=" + run.trace[opened].value("number");
    std::vector<double> beeps;
    for (const e2e::TraceEvent& event : run.trace)
        if (event.name == "beep") {
            EXPECT_EQ(event.text(), beep);
            beeps.push_back(event.time);
        }
    ASSERT_EQ(beeps.size(), 2u) << run.trace_text();
    EXPECT_NEAR(beeps[1] - beeps[0], 0.5, 1e-6);
    for (const e2e::TraceEvent& event : run.trace)
        if (event.name == "scroll") {
            EXPECT_EQ(event.value("x"), "0");
            EXPECT_EQ(event.value("y"), "0");
        }
}

} // namespace
