// Simulated vision tests through the program's course, and their figures.
#include "tools/validation/acuity_simulation.h"

#include "app/acuity_course.h"

#include <algorithm>
#include <cmath>

namespace {

// The program's timing: the answer comes `seconds` after the ring is shown, a tone follows it
// (200 ms after a correct answer, 300 ms after a wrong one), and unless the ring ended its level
// a second of white follows before the next ring.
constexpr double CORRECT_TONE_S = 0.2;
constexpr double WRONG_TONE_S = 0.3;
constexpr double PAUSE_S = 1.0;

constexpr double ZERO_RESULT_LOGMAR = 1.3;

double mean(const std::vector<double>& values) {
    double sum = 0.0;
    for (double value : values)
        sum += value;
    return values.empty() ? 0.0 : sum / static_cast<double>(values.size());
}

double standard_deviation(const std::vector<double>& values) {
    if (values.size() < 2)
        return 0.0;
    const double centre = mean(values);
    double sum = 0.0;
    for (double value : values)
        sum += (value - centre) * (value - centre);
    return std::sqrt(sum / static_cast<double>(values.size() - 1));
}

// The value below which `share` of the values lie (nearest rank).
double quantile(std::vector<double> values, double share) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(rank, values.size() - 1)];
}

// +-1.96 SD of the differences between runs taken in pairs.
double retest_limit(const std::vector<double>& values) {
    std::vector<double> differences;
    for (size_t i = 0; i + 1 < values.size(); i += 2)
        differences.push_back(values[i] - values[i + 1]);
    return 1.96 * standard_deviation(differences);
}

} // namespace

double result_logmar(float result) {
    return result > 0.0f ? std::log10(1.0 / static_cast<double>(result)) : ZERO_RESULT_LOGMAR;
}

SimulatedTest simulate_vision_test(const scripted::ObserverModel& observer,
                                   scripted::ObserverDraws& draws, const EstimateModel& model,
                                   int32_t highest_index) {
    SimulatedTest test;
    AcuityBisection bisection(highest_index);
    std::vector<AcuityAnswer> answers;
    while (!bisection.result()) {
        const float level = bisection.level();
        AcuityLevelCount count(bisection.level_index() == ACUITY_FIRST_TRIED_INDEX);
        LevelState state = LevelState::going_on;
        while (state == LevelState::going_on) {
            const bool correct = scripted::observer_answers_correctly(observer, level, draws);
            count.tell(correct ? RingAnswer::correct : RingAnswer::wrong);
            answers.push_back({level, correct});
            state = count.state();
            test.seconds += observer.seconds + (correct ? CORRECT_TONE_S : WRONG_TONE_S);
            if (state == LevelState::going_on)
                test.seconds += PAUSE_S;
        }
        bisection.tell(state == LevelState::passed);
    }
    test.result = *bisection.result();
    test.counted = static_cast<int32_t>(answers.size());
    test.estimate = app_estimate_acuity(answers, model);
    return test;
}

CaseFigures run_simulation_case(const SimulationCase& simulation) {
    scripted::ObserverDraws draws(simulation.seed);
    const double true_logmar = std::log10(1.0 / simulation.observer.acuity);
    std::vector<double> results;
    std::vector<double> result_errors;
    std::vector<double> estimates;
    std::vector<double> estimate_errors;
    std::vector<double> result_acuities;
    int32_t covered = 0;
    double counted = 0.0;
    double seconds = 0.0;
    for (int32_t run = 0; run < simulation.runs; ++run) {
        const SimulatedTest test =
            simulate_vision_test(simulation.observer, draws, simulation.model);
        const double measured = result_logmar(test.result);
        results.push_back(measured);
        result_errors.push_back(measured - true_logmar);
        result_acuities.push_back(test.result);
        estimates.push_back(test.estimate.logmar);
        estimate_errors.push_back(test.estimate.logmar - true_logmar);
        if (test.estimate.low_logmar <= true_logmar && true_logmar <= test.estimate.high_logmar)
            ++covered;
        counted += test.counted;
        seconds += test.seconds;
    }
    const auto runs = static_cast<double>(std::max(simulation.runs, 1));
    CaseFigures figures;
    figures.result_median = quantile(result_acuities, 0.5);
    figures.result_mean_error = mean(result_errors);
    figures.result_retest_limit = retest_limit(results);
    figures.estimate_mean_error = mean(estimate_errors);
    figures.estimate_sd = standard_deviation(estimates);
    figures.estimate_retest_limit = retest_limit(estimates);
    figures.coverage = covered / runs;
    figures.estimate_p025 = quantile(estimates, 0.025);
    figures.estimate_p975 = quantile(estimates, 0.975);
    figures.result_p025 = quantile(results, 0.025);
    figures.result_p975 = quantile(results, 0.975);
    figures.mean_counted = counted / runs;
    figures.mean_minutes = seconds / runs / 60.0;
    return figures;
}
