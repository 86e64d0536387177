// The estimate at the end of a vision test, against a baseline from the same moment: formatting
// the test's lines of talvena-trials.csv.
#include "app/acuity_estimate.h"
#include "app/trials_file.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

// A typical test: 0.1 passed, 0.7 failed, 0.4 and 0.5 passed, 0.6 failed; 55 counted answers.
std::vector<AcuityAnswer> typical_answers() {
    std::vector<AcuityAnswer> answers;
    const struct {
        float level;
        int correct;
        int wrong;
    } LEVELS[] = {{0.1f, 10, 0}, {0.7f, 5, 3}, {0.4f, 10, 1}, {0.5f, 12, 2}, {0.6f, 9, 3}};
    for (const auto& level : LEVELS) {
        for (int i = 0; i < level.correct; ++i)
            answers.push_back({level.level, true});
        for (int i = 0; i < level.wrong; ++i)
            answers.push_back({level.level, false});
    }
    return answers;
}

void estimate_at_the_end_of_a_test(benchmark::State& state) {
    const std::vector<AcuityAnswer> answers = typical_answers();
    for (auto _ : state)
        benchmark::DoNotOptimize(app_estimate_acuity(answers));
}
BENCHMARK(estimate_at_the_end_of_a_test);

void baseline_trial_lines_of_the_test(benchmark::State& state) {
    TrialLog log{{10, 12, 2026, 10, 0, 0}, "vision", {}};
    int32_t number = 0;
    for (const AcuityAnswer& answer : typical_answers())
        log.trials.push_back({++number, answer.level, std::nullopt, 1, 45, 3.0,
                              answer.correct ? "correct" : "wrong", 0.8, 3.0});
    for (auto _ : state) {
        std::string lines;
        for (const Trial& trial : log.trials)
            lines += app_format_trial(log, trial, true) + "\n";
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(baseline_trial_lines_of_the_test);

} // namespace
