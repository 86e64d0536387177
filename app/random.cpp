// The application's random generator.
#include "app/random.h"

#include "runtime/date_time.h"

#include <cmath>
#include <optional>

namespace {

constexpr double INITIAL_SEED = 1.2147483825683594;
constexpr double MULTIPLIER = 16807.0;
constexpr double MODULUS = 2147483647.0; // 2^31 - 1
constexpr double SCALE = 2147483648.0;   // 2^31

double seed = INITIAL_SEED;
bool seeded = false;
std::optional<int64_t> fixed_advances;

// The generator is kept in double precision, as its seed is not a whole number: the product
// stays exact enough and fmod keeps it below the modulus.
void advance() {
    seed = std::fmod(seed * MULTIPLIER, MODULUS);
}

int64_t advances_from_time_of_day() {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t hundredths = 0;
    rt_get_time(hour, minute, second, hundredths);
    return static_cast<int64_t>(second) * hundredths;
}

} // namespace

float app_random_uniform() {
    if (!seeded) {
        seeded = true;
        const int64_t advances = fixed_advances ? *fixed_advances : advances_from_time_of_day();
        for (int64_t i = 0; i < advances; ++i)
            advance();
    }
    advance();
    // Rounding to single precision would turn the largest seeds (within 2^-25 of the modulus)
    // into 1.0; they are kept just below it, so that 0 <= u < 1 holds for every caller.
    const float u = static_cast<float>(seed / SCALE);
    return u < 1.0f ? u : std::nextafter(1.0f, 0.0f);
}

void app_set_random_seed_advances(int64_t advances) {
    seed = INITIAL_SEED;
    seeded = false;
    fixed_advances = advances;
}

void app_seed_random_from_time_of_day() {
    seed = INITIAL_SEED;
    seeded = false;
    fixed_advances.reset();
}
