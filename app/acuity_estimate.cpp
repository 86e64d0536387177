// The maximum-likelihood threshold and its likelihood-ratio interval.
#include "app/acuity_estimate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The grid the likelihood is first looked at on; maximum and interval ends are then refined
// between its points. It is fine enough not to step over a peak: the log-likelihood of these
// answers changes over a spread, five grid steps.
constexpr double GRID_STEP = 0.01;
constexpr int32_t REFINE_STEPS = 40;

// The answers at one level.
struct LevelTally {
    double logmar = 0.0;
    int32_t correct = 0;
    int32_t wrong = 0;
};

std::vector<LevelTally> tally_by_level(std::span<const AcuityAnswer> answers) {
    std::vector<LevelTally> levels;
    for (const AcuityAnswer& answer : answers) {
        const double logmar = -std::log10(static_cast<double>(answer.level));
        auto found = std::find_if(levels.begin(), levels.end(),
                                  [&](const LevelTally& level) { return level.logmar == logmar; });
        if (found == levels.end())
            found = levels.insert(levels.end(), LevelTally{logmar, 0, 0});
        (answer.correct ? found->correct : found->wrong) += 1;
    }
    return levels;
}

class Likelihood {
public:
    Likelihood(std::vector<LevelTally> levels, double spread, double lapse)
        : m_levels(std::move(levels)), m_spread(spread), m_lapse(lapse) {}

    double operator()(double threshold) const {
        double sum = 0.0;
        for (const LevelTally& level : m_levels) {
            const double p = app_answer_probability(level.logmar, threshold, m_spread, m_lapse);
            if (level.correct > 0)
                sum += level.correct * std::log(p);
            if (level.wrong > 0)
                sum += level.wrong * std::log1p(-p);
        }
        return sum;
    }

private:
    std::vector<LevelTally> m_levels;
    double m_spread;
    double m_lapse;
};

// The maximum of `f` in [a, b] by golden-section search (f is unimodal there: the grid's best
// point and its neighbours enclose it).
double refine_maximum(const Likelihood& f, double a, double b) {
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double c = b - ratio * (b - a);
    double d = a + ratio * (b - a);
    double fc = f(c);
    double fd = f(d);
    for (int32_t step = 0; step < REFINE_STEPS; ++step) {
        if (fc >= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = f(d);
        }
    }
    const double best = (a + b) / 2.0;
    // A maximum on a bound stays exactly there.
    return f(a) > f(best) ? a : (f(b) > f(best) ? b : best);
}

// Where `f` crosses `level` between `inside` (f >= level) and `outside` (f < level).
double refine_crossing(const Likelihood& f, double inside, double outside, double level) {
    for (int32_t step = 0; step < REFINE_STEPS; ++step) {
        const double middle = (inside + outside) / 2.0;
        (f(middle) >= level ? inside : outside) = middle;
    }
    return inside;
}

} // namespace

double AcuityEstimate::acuity() const {
    return std::pow(10.0, -logmar);
}

double AcuityEstimate::acuity_low() const {
    return std::pow(10.0, -high_logmar);
}

double AcuityEstimate::acuity_high() const {
    return std::pow(10.0, -low_logmar);
}

double app_answer_probability(double level_logmar, double threshold_logmar, double spread,
                              double lapse) {
    return 0.5 + (0.5 - lapse) / (1.0 + std::exp(-(level_logmar - threshold_logmar) / spread));
}

// The likelihood is looked at on the grid; the best grid point and its neighbours hold the
// maximum, which a golden-section search finds; from the maximum the interval runs outwards over
// the grid to the first point below the maximum less 1.92, and its end is found by bisection.
AcuityEstimate app_estimate_acuity(std::span<const AcuityAnswer> answers,
                                   const EstimateModel& model) {
    AcuityEstimate estimate;
    estimate.answers = static_cast<int32_t>(answers.size());
    const Likelihood likelihood(tally_by_level(answers), model.spread, model.lapse);
    const auto points =
        static_cast<int32_t>(std::lround((model.worst_logmar - model.best_logmar) / GRID_STEP));
    const auto at = [&](int32_t i) {
        return i == points ? model.worst_logmar : model.best_logmar + i * GRID_STEP;
    };
    std::vector<double> values(static_cast<size_t>(points) + 1);
    int32_t best = 0;
    for (int32_t i = 0; i <= points; ++i) {
        values[static_cast<size_t>(i)] = likelihood(at(i));
        if (values[static_cast<size_t>(i)] > values[static_cast<size_t>(best)])
            best = i;
    }
    if (answers.empty())
        best = points / 2;
    estimate.logmar = answers.empty() ? at(best)
                                      : refine_maximum(likelihood, at(std::max(best - 1, 0)),
                                                       at(std::min(best + 1, points)));
    const double level = likelihood(estimate.logmar) - model.interval_drop;

    int32_t low = best;
    while (low > 0 && values[static_cast<size_t>(low - 1)] >= level)
        --low;
    estimate.open_low = low == 0;
    estimate.low_logmar =
        estimate.open_low
            ? model.best_logmar
            : refine_crossing(likelihood, std::min(at(low), estimate.logmar), at(low - 1), level);
    int32_t high = best;
    while (high < points && values[static_cast<size_t>(high + 1)] >= level)
        ++high;
    estimate.open_high = high == points;
    estimate.high_logmar =
        estimate.open_high
            ? model.worst_logmar
            : refine_crossing(likelihood, std::max(at(high), estimate.logmar), at(high + 1), level);
    return estimate;
}
