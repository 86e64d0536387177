// Simulated vision tests: the program's own course answered by a simulated observer, and the
// figures over many runs that docs/validation.md reports.
#pragma once

#include "app/acuity_estimate.h"
#include "app/acuity_levels.h"
#include "scripted/simulated_observer.h"

#include <cstdint>
#include <vector>

// One test as the program would run it, with the time it would take on the program's clock.
struct SimulatedTest {
    float result = 0.0f; // the best level passed, 0.0 when none was
    AcuityEstimate estimate;
    int32_t counted = 0; // answers judged correct or wrong
    double seconds = 0.0;
};

// Runs the course from its first level to its result; `highest_index` is the bisection's upper
// bound.
SimulatedTest simulate_vision_test(const scripted::ObserverModel& observer,
                                   scripted::ObserverDraws& draws,
                                   const EstimateModel& model = ESTIMATE_MODEL,
                                   int32_t highest_index = ACUITY_HIGHEST_INDEX);

// One case: an observer, and how many runs from which seed.
struct SimulationCase {
    scripted::ObserverModel observer;
    int32_t runs = 2000;
    uint64_t seed = 1;
    EstimateModel model = ESTIMATE_MODEL;
};

// The figures of one case, in logMAR. Errors are measured minus true; a result of 0.0 counts as
// logMAR 1.3. Test-retest limits are +-1.96 times the SD of the difference between two runs,
// taken pairwise (runs 1 and 2, 3 and 4, ...).
struct CaseFigures {
    double result_median = 0.0; // decimal acuity
    double result_mean_error = 0.0;
    double result_retest_limit = 0.0;
    double estimate_mean_error = 0.0;
    double estimate_sd = 0.0;
    double estimate_retest_limit = 0.0;
    double coverage = 0.0;      // share of runs whose interval holds the true logMAR
    double estimate_p025 = 0.0; // 2.5 % and 97.5 % points of the estimate, logMAR
    double estimate_p975 = 0.0;
    double result_p025 = 0.0;
    double result_p975 = 0.0;
    double mean_counted = 0.0;
    double mean_minutes = 0.0;
};

CaseFigures run_simulation_case(const SimulationCase& simulation);

// The logMAR a result counts as: log10(1 / result), and 1.3 for 0.0.
double result_logmar(float result);
