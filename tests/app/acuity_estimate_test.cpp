// The estimate from all of a test's answers: the threshold recovered from answers that follow
// the model, the interval's ends where the likelihood has fallen by the chosen drop, the bounds
// for tests that say nothing on one side, and the words the user reads.
#include "app/acuity_estimate.h"
#include "app/estimate_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// `correct` right and `wrong` wrong answers at `level`.
void add(std::vector<AcuityAnswer>& answers, float level, int correct, int wrong) {
    for (int i = 0; i < correct; ++i)
        answers.push_back({level, true});
    for (int i = 0; i < wrong; ++i)
        answers.push_back({level, false});
}

double log_likelihood(const std::vector<AcuityAnswer>& answers, double threshold) {
    double sum = 0.0;
    for (const AcuityAnswer& answer : answers) {
        const double p =
            app_answer_probability(-std::log10(static_cast<double>(answer.level)), threshold,
                                   ESTIMATE_MODEL.spread, ESTIMATE_MODEL.lapse);
        sum += std::log(answer.correct ? p : 1.0 - p);
    }
    return sum;
}

// Answers in the proportions the model gives for a threshold, many at each level: the estimate
// comes back to that threshold, and its narrow interval holds it.
TEST(AcuityEstimate, RecoversTheThresholdOfAnswersThatFollowTheModel) {
    for (const double threshold : {0.52, 0.1, -0.05, -0.2}) {
        SCOPED_TRACE(threshold);
        std::vector<AcuityAnswer> answers;
        for (const float level : {0.2f, 0.3f, 0.5f, 0.7f, 0.9f, 1.0f, 1.25f, 1.5f, 2.0f}) {
            const double p =
                app_answer_probability(-std::log10(static_cast<double>(level)), threshold,
                                       ESTIMATE_MODEL.spread, ESTIMATE_MODEL.lapse);
            const int correct = static_cast<int>(std::lround(2000 * p));
            add(answers, level, correct, 2000 - correct);
        }
        const AcuityEstimate estimate = app_estimate_acuity(answers);
        EXPECT_NEAR(estimate.logmar, threshold, 0.005);
        EXPECT_LT(estimate.low_logmar, threshold);
        EXPECT_GT(estimate.high_logmar, threshold);
        EXPECT_LT(estimate.high_logmar - estimate.low_logmar, 0.05);
        EXPECT_FALSE(estimate.open_low || estimate.open_high);
        EXPECT_NEAR(estimate.acuity(), std::pow(10.0, -threshold), 0.02);
    }
}

// A test as the course gives it: the maximum is a maximum, and the likelihood at each end of the
// interval is the maximum less the drop.
TEST(AcuityEstimate, IntervalEndsWhereTheLikelihoodHasFallenByTheDrop) {
    std::vector<AcuityAnswer> answers;
    add(answers, 0.1f, 10, 0);
    add(answers, 0.7f, 8, 3);
    add(answers, 0.4f, 10, 1);
    add(answers, 0.5f, 10, 2);
    add(answers, 0.6f, 6, 3);
    const AcuityEstimate estimate = app_estimate_acuity(answers);
    EXPECT_EQ(estimate.answers, 53);
    const double best = log_likelihood(answers, estimate.logmar);
    EXPECT_GE(best, log_likelihood(answers, estimate.logmar - 0.002));
    EXPECT_GE(best, log_likelihood(answers, estimate.logmar + 0.002));
    ASSERT_FALSE(estimate.open_low || estimate.open_high);
    EXPECT_NEAR(log_likelihood(answers, estimate.low_logmar), best - ESTIMATE_MODEL.interval_drop,
                1e-3);
    EXPECT_NEAR(log_likelihood(answers, estimate.high_logmar), best - ESTIMATE_MODEL.interval_drop,
                1e-3);
    // Between 0.5 (passed) and 0.6 (failed), nearer 0.6 where most answers were still right.
    EXPECT_GT(estimate.acuity(), 0.5);
    EXPECT_LT(estimate.acuity(), 0.7);
    EXPECT_LT(estimate.acuity_low(), estimate.acuity());
    EXPECT_GT(estimate.acuity_high(), estimate.acuity());
}

// Answers that bound the threshold on one side only give the bound on the other, and the
// interval stays open there; no answers at all say nothing on either side.
TEST(AcuityEstimate, OneSidedTestsGiveTheBoundAndAnOpenInterval) {
    std::vector<AcuityAnswer> all_correct;
    for (const float level : {0.1f, 0.7f, 1.0f, 1.5f, 2.0f})
        add(all_correct, level, 10, 0);
    std::vector<AcuityAnswer> all_wrong;
    add(all_wrong, 0.1f, 0, 3);
    const struct {
        const char* name;
        std::vector<AcuityAnswer> answers;
        double logmar;
        bool open_low;
        bool open_high;
    } CASES[] = {
        {"all correct", all_correct, ESTIMATE_MODEL.best_logmar, true, false},
        {"all wrong", all_wrong, ESTIMATE_MODEL.worst_logmar, false, true},
        {"no answers",
         {},
         (ESTIMATE_MODEL.best_logmar + ESTIMATE_MODEL.worst_logmar) / 2,
         true,
         true},
    };
    for (const auto& c : CASES) {
        SCOPED_TRACE(c.name);
        const AcuityEstimate estimate = app_estimate_acuity(c.answers);
        EXPECT_NEAR(estimate.logmar, c.logmar, 1e-6);
        EXPECT_EQ(estimate.open_low, c.open_low);
        EXPECT_EQ(estimate.open_high, c.open_high);
        EXPECT_LE(estimate.low_logmar, estimate.logmar);
        EXPECT_GE(estimate.high_logmar, estimate.logmar);
        EXPECT_GE(estimate.low_logmar, ESTIMATE_MODEL.best_logmar);
        EXPECT_LE(estimate.high_logmar, ESTIMATE_MODEL.worst_logmar);
    }
    // The all-correct test is bounded below by its answers at 2.0, the all-wrong one is not
    // bounded at all by three errors at 0.1.
    EXPECT_LT(app_estimate_acuity(all_correct).high_logmar, -0.2);
}

TEST(EstimateText, SaysTheIntervalOrTheBoundThatIsKnown) {
    AcuityEstimate closed;
    closed.logmar = std::log10(1.0 / 0.83);
    closed.low_logmar = std::log10(1.0 / 0.97);
    closed.high_logmar = std::log10(1.0 / 0.71);
    closed.answers = 52;
    AcuityEstimate better_open = closed;
    better_open.open_low = true;
    AcuityEstimate worse_open = closed;
    worse_open.open_high = true;
    worse_open.answers = 21;
    AcuityEstimate unknown = closed;
    unknown.open_low = unknown.open_high = true;
    const struct {
        AcuityEstimate estimate;
        const char* acuity;
        const char* logmar;
        const char* status;
    } CASES[] = {
        {closed, "Оценка по всем ответам: 0.83, 95 % интервал 0.71–0.97",
         "logMAR 0.08, 95 % интервал 0.01–0.15",
         "Оценка по 52 ответам: 0.83 (0.71–0.97), logMAR 0.08 (0.01–0.15)"},
        {better_open, "Оценка по всем ответам: 0.83, 95 % интервал не ниже 0.71",
         "logMAR 0.08, 95 % интервал не выше 0.15",
         "Оценка по 52 ответам: 0.83 (не ниже 0.71), logMAR 0.08 (не выше 0.15)"},
        {worse_open, "Оценка по всем ответам: 0.83, 95 % интервал не выше 0.97",
         "logMAR 0.08, 95 % интервал не ниже 0.01",
         "Оценка по 21 ответу: 0.83 (не выше 0.97), logMAR 0.08 (не ниже 0.01)"},
        {unknown, "Оценка по всем ответам: 0.83, 95 % интервал не определён",
         "logMAR 0.08, 95 % интервал не определён",
         "Оценка по 52 ответам: 0.83 (не определён), logMAR 0.08 (не определён)"},
    };
    for (const auto& c : CASES) {
        EXPECT_EQ(app_estimate_acuity_line(c.estimate), c.acuity);
        EXPECT_EQ(app_estimate_logmar_line(c.estimate), c.logmar);
        EXPECT_EQ(app_estimate_status_text(c.estimate), c.status);
    }
}

} // namespace
