// The estimate holds up against simulated observers run through the program's course: per true
// acuity, its mean error and how often its interval holds the truth, for the observer it assumes
// and for observers half and twice as steep. scripts/validate runs the same cases with more runs
// and more observers and writes docs/validation.md.
#include "tools/validation/acuity_simulation.h"

#include <gtest/gtest.h>

namespace {

// Enough runs that the mean error is known to about 0.004 logMAR and a coverage to about 0.8 %,
// while the whole test stays within seconds.
constexpr int32_t RUNS = 800;

struct ObserverCase {
    const char* name;
    double spread;
    double most_error; // logMAR
    double least_coverage;
};

TEST(AcuityValidation, EstimateIsUnbiasedAndItsIntervalHoldsTheTruth) {
    const double assumed = ESTIMATE_MODEL.spread;
    const ObserverCase OBSERVERS[] = {
        {"the assumed spread", assumed, 0.03, 0.93},
        {"half the spread", assumed / 2.0, 0.06, 0.85},
        {"twice the spread", assumed * 2.0, 0.06, 0.85},
    };
    uint64_t seed = 77;
    for (const ObserverCase& observer : OBSERVERS) {
        for (const double acuity : {0.1, 0.15, 0.2, 0.3, 0.4, 0.5, 0.6, 0.8, 1.0, 1.25, 1.6, 2.0}) {
            SCOPED_TRACE(std::string(observer.name) + ", true acuity " + std::to_string(acuity));
            const CaseFigures figures =
                run_simulation_case({{acuity, observer.spread, 0.02, 0.8}, RUNS, ++seed});
            EXPECT_LE(std::abs(figures.estimate_mean_error), observer.most_error);
            EXPECT_GE(figures.coverage, observer.least_coverage);
        }
    }
}

} // namespace
