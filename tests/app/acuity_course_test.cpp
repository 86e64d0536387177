// The vision test's course as plain logic: how a level counts its rings and ends, and where the
// bisection goes from the levels passed and failed.
#include "app/acuity_course.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// One character a ring: C correct, W wrong, '-' unanswered.
RingAnswer answer_of(char ring) {
    return ring == 'C' ? RingAnswer::correct : ring == 'W' ? RingAnswer::wrong : RingAnswer::none;
}

// The verdicts as the trace writes their first letters (R for repeat) and the state at the end.
struct LevelRun {
    std::string verdicts;
    LevelState state = LevelState::going_on;
};

LevelRun run_level(bool first_level, std::string_view rings) {
    AcuityLevelCount count(first_level);
    LevelRun run;
    for (const char ring : rings) {
        EXPECT_EQ(count.state(), LevelState::going_on) << "a ring after the level ended";
        const RingVerdict verdict = count.tell(answer_of(ring));
        run.verdicts += verdict == RingVerdict::repeat ? 'R' : app_ring_verdict_name(verdict)[0];
        run.state = count.state();
    }
    return run;
}

TEST(AcuityLevelCount, CountsRingsAndEndsTheLevelByItsRules) {
    const struct {
        const char* name;
        bool first_level;
        std::string_view rings;
        std::string_view verdicts;
        LevelState state;
    } CASES[] = {
        {"ten correct pass", false, "CCCCCCCCCC", "cccccccccc", LevelState::passed},
        {"nine correct go on", false, "CCCCCCCCC", "ccccccccc", LevelState::going_on},
        {"three wrong fail", false, "WWW", "www", LevelState::failed},
        {"three wrong far apart fail", false, "WCCCCWCCCCW", "wccccwccccw", LevelState::failed},
        {"a wrong answer restarts the ten", false, "CCCCCCCCCWCCCCCCCCCC", "cccccccccwcccccccccc",
         LevelState::passed},
        {"unanswered rings do not break the run", false, "CC--CC----CCCCCC", "ccnnccnnnncccccc",
         LevelState::passed},
        {"five unanswered in a row fail", false, "CCC-----", "cccnnnnn", LevelState::failed},
        {"a correct answer clears the misses", false, "----C----", "nnnncnnnn",
         LevelState::going_on},
        // Before the first answer of the first level, unanswered rings are not counted at all.
        {"first level waits for an answer", true, "------C", "RRRRRRc", LevelState::going_on},
        {"first level counts once answered", true, "-W-----", "Rwnnnnn", LevelState::failed},
        {"not the first level counts at once", false, "-----", "nnnnn", LevelState::failed},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const LevelRun run = run_level(c.first_level, c.rings);
        EXPECT_EQ(run.verdicts, c.verdicts);
        EXPECT_EQ(run.state, c.state);
    }
}

TEST(AcuityBisection, LevelsFollowFromWhatWasPassedToTheResult) {
    const struct {
        const char* name;
        int32_t highest_index;
        std::string_view passed; // 1 passed, 0 failed, level after level
        std::vector<float> levels;
        float result;
        bool at_limit;
    } CASES[] = {
        {"passes every level",
         ACUITY_HIGHEST_INDEX,
         "11111",
         {0.1f, 0.7f, 1.0f, 1.5f, 2.0f},
         2.0f,
         true},
        {"fails the first level", ACUITY_HIGHEST_INDEX, "0", {0.1f}, 0.0f, false},
        {"passes up to 0.5",
         ACUITY_HIGHEST_INDEX,
         "10110",
         {0.1f, 0.7f, 0.4f, 0.5f, 0.6f},
         0.5f,
         false},
        {"passes up to 1.25",
         ACUITY_HIGHEST_INDEX,
         "11101",
         {0.1f, 0.7f, 1.0f, 1.5f, 1.25f},
         1.25f,
         false},
        {"passes 0.1 only", ACUITY_HIGHEST_INDEX, "1000", {0.1f, 0.7f, 0.4f, 0.2f}, 0.1f, false},
        // A screen that cannot show 1.25 and above: the bisection stops below them, and a result
        // at the best level it can reach is a limit, not a measurement.
        {"bounded below 1.25", 12, "11111", {0.1f, 0.6f, 0.8f, 0.9f, 1.0f}, 1.0f, true},
        {"bounded, fails its best", 12, "11110", {0.1f, 0.6f, 0.8f, 0.9f, 1.0f}, 0.9f, false},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        AcuityBisection bisection(c.highest_index);
        std::vector<float> levels;
        for (const char passed : c.passed) {
            ASSERT_FALSE(bisection.result()) << "a level after the result";
            levels.push_back(bisection.level());
            bisection.tell(passed == '1');
        }
        EXPECT_EQ(levels, c.levels);
        ASSERT_TRUE(bisection.result());
        EXPECT_EQ(*bisection.result(), c.result);
        EXPECT_EQ(bisection.result_at_limit(), c.at_limit);
    }
}

} // namespace
