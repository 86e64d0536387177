// A simulated observer: answers every ring a fixed time after it is shown, correctly with a
// probability that depends on how the ring's level compares with the observer's acuity.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace scripted {

// An observer of true acuity `acuity` (decimal) answers a ring of level V correctly with
//     P = 0.5 + (0.5 - lapse) / (1 + exp(-(log10(1/V) - log10(1/acuity)) / spread))
// (logMAR of the level against the observer's), `seconds` after the ring is on the screen.
struct ObserverModel {
    double acuity = 1.0;
    double spread = 0.05; // logMAR
    double lapse = 0.0;   // 0 <= lapse < 0.5
    double seconds = 0.5; // 0.05 <= seconds < 2
};

// Why a model cannot be used, naming the value and what it must be; nothing when it can.
std::optional<std::string> observer_model_problem(const ObserverModel& model);

double observer_correct_probability(const ObserverModel& model, double level);

// The observer's own random source, independent of the program's generator: SplitMix64 (Steele,
// Lea and Flood 2014), whose 2^64 period and equidistribution are ample for simulations.
class ObserverDraws {
public:
    explicit ObserverDraws(uint64_t seed) : m_state(seed) {}

    // Uniform in [0, 1), 53 random bits.
    double uniform();

private:
    uint64_t m_state;
};

// The seed a run's observer starts from: derived from --seed N when it was given (so that the
// observer's draws differ from the program's, which N seeds too), from the time otherwise.
uint64_t observer_seed(std::optional<int64_t> run_seed);

// Draws whether one answer at level V is correct.
bool observer_answers_correctly(const ObserverModel& model, double level, ObserverDraws& draws);

} // namespace scripted
