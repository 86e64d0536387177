// The simulated observer's answers and its random source.
#include "scripted/simulated_observer.h"

#include <chrono>
#include <cmath>

namespace scripted {

std::optional<std::string> observer_model_problem(const ObserverModel& model) {
    if (!(model.acuity > 0.0) || !std::isfinite(model.acuity))
        return "an acuity above 0";
    if (!(model.spread > 0.0) || !std::isfinite(model.spread))
        return "a spread above 0";
    if (!(model.lapse >= 0.0 && model.lapse < 0.5))
        return "a lapse from 0 up to (not including) 0.5";
    if (!(model.seconds >= 0.05 && model.seconds < 2.0))
        return "seconds from 0.05 up to (not including) 2";
    return std::nullopt;
}

double observer_correct_probability(const ObserverModel& model, double level) {
    const double level_logmar = std::log10(1.0 / level);
    const double observer_logmar = std::log10(1.0 / model.acuity);
    return 0.5 +
           (0.5 - model.lapse) / (1.0 + std::exp(-(level_logmar - observer_logmar) / model.spread));
}

double ObserverDraws::uniform() {
    m_state += 0x9E3779B97F4A7C15ull;
    uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

uint64_t observer_seed(std::optional<int64_t> run_seed) {
    // A fixed odd constant keeps seed 0 away from the generator's all-zero start.
    constexpr uint64_t MIX = 0x6A09E667F3BCC909ull;
    if (run_seed)
        return static_cast<uint64_t>(*run_seed) ^ MIX;
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^ MIX;
}

bool observer_answers_correctly(const ObserverModel& model, double level, ObserverDraws& draws) {
    return draws.uniform() < observer_correct_probability(model, level);
}

} // namespace scripted
