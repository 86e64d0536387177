// The application's only random source: a minimal-standard multiplicative congruential
// generator seeded from the time of day.
#pragma once

#include <cstdint>

// The next uniform number, 0 <= u < 1. The first call of a run seeds the generator: it advances
// it second x hundredths times, read from the time of day (or the count given to
// app_set_random_seed_advances). Application thread only.
float app_random_uniform();

// Restarts the generator from its initial seed and makes its seeding exactly `advances` steps
// instead of the time of day: a run given the same count repeats its random choices.
// Application thread only.
void app_set_random_seed_advances(int64_t advances);

// Restarts the generator from its initial seed, to be seeded from the time of day again at its
// next call. Application thread only.
void app_seed_random_from_time_of_day();
