// Answers from the keyboard or a presentation remote in the real program: the keys that stand for
// the buttons start the activities and answer rings and images, judged as clicks and traced as
// keys; Escape ends an activity and on the start screen starts and ends nothing.
#include "tests/e2e/program_run.h"

#include <gtest/gtest.h>

namespace {

using e2e::ProgramRun;

TEST(AnswerKeys, StandForTheButtonsAndEscapeEndsOnlyActivities) {
    const ProgramRun run = e2e::run_program("keys", e2e::ACCEPT_DEFAULTS +
                                                        "on pause K=2 key Right\n"
                                                        "on ring after 0.5 answer correct\n"
                                                        "on ring after 0.5 key Left\n"
                                                        "on ring after 0.5 key PageDown\n"
                                                        "on ring after 0.5 key Escape\n"
                                                        "on pause after 0.5 key Escape\n"
                                                        "after 0.5 key PageUp\n"
                                                        "on image after 0.5 key Right\n"
                                                        "on image after 0.5 key Escape\n"
                                                        "on pause after 0.5 menu Выход\n");
    ASSERT_EQ(run.exit_code, 0) << run.output << run.trace_text();

    // The rings' answers, judged by the side each key stands for.
    std::vector<std::string> answers;
    int32_t side = 0;
    for (const e2e::TraceEvent& event : run.trace) {
        if (event.name == "ring")
            side = std::stoi(event.value("side"));
        if (event.name != "ring-answer")
            continue;
        answers.push_back(event.value("input"));
        const size_t answer = answers.size();
        const bool left = answer == 2; // Left, then Page Down for the right button
        const std::string expected =
            answer == 1 || left == (side < 0) ? "correct" : "wrong";
        EXPECT_EQ(event.value("verdict"), expected) << "answer " << answer << ", side " << side;
    }
    EXPECT_EQ(answers, (std::vector<std::string>{"mouse", "key", "key"}));

    const size_t test_end = run.find("aborted what=vision-test");
    ASSERT_LT(test_end, run.trace.size()) << "Escape ends the vision test\n" << run.trace_text();
    const size_t training = run.find("training-start K=2", test_end);
    ASSERT_LT(training, run.trace.size()) << "Page Up starts a training\n" << run.trace_text();
    EXPECT_EQ(run.find("request", test_end), run.trace.size())
        << "Escape on the start screen starts nothing";
    EXPECT_EQ(run.find("exit", test_end), run.find("exit code=0", training))
        << "nor does it end the program";
    const size_t answer = run.find("answer i=1", training);
    ASSERT_LT(answer, run.trace.size()) << run.trace_text();
    EXPECT_EQ(run.trace[answer].value("buttons"), "2");
    EXPECT_EQ(run.trace[answer].value("input"), "key");
    EXPECT_LT(run.find("aborted what=training", answer), run.trace.size()) << run.trace_text();
}

} // namespace
