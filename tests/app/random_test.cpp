// The application's random generator: its sequence, its seeding and its range.
#include "app/random.h"
#include "runtime/clock.h"
#include "runtime/date_time.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

// The generator written out independently: seed 1.2147483825683594, seed <- seed x 16807
// mod (2^31 - 1), u = seed / 2^31 in single precision.
std::vector<float> reference_sequence(int32_t skipped, int32_t count) {
    double seed = 1.2147483825683594;
    std::vector<float> values;
    for (int32_t i = 0; i < skipped + count; ++i) {
        seed = std::fmod(seed * 16807.0, 2147483647.0);
        if (i >= skipped)
            values.push_back(static_cast<float>(seed / 2147483648.0));
    }
    return values;
}

std::vector<float> drawn(int32_t count) {
    std::vector<float> values;
    for (int32_t i = 0; i < count; ++i)
        values.push_back(app_random_uniform());
    return values;
}

TEST(RandomTest, SeedAdvancesSkipThatManyValues) {
    for (const int32_t advances : {0, 1, 7, 1000}) {
        SCOPED_TRACE(advances);
        app_set_random_seed_advances(advances);
        EXPECT_EQ(drawn(20), reference_sequence(advances, 20));
    }
}

TEST(RandomTest, SettingTheSeedAgainRepeatsTheRun) {
    app_set_random_seed_advances(42);
    const std::vector<float> first = drawn(50);
    app_set_random_seed_advances(42);
    EXPECT_EQ(drawn(50), first);
}

// At 10:20:07.25 the generator is advanced 7 x 25 = 175 times before its first value.
TEST(RandomTest, TimeOfDaySeedingAdvancesSecondTimesHundredths) {
    rt_use_virtual_clock({2024, 3, 1, 10, 20, 7});
    rt_clock_advance(250'000);
    app_seed_random_from_time_of_day();
    EXPECT_EQ(drawn(5), reference_sequence(175, 5));

    rt_use_virtual_clock({2024, 3, 1, 10, 20, 0}); // second 0: no advances
    app_seed_random_from_time_of_day();
    EXPECT_EQ(drawn(5), reference_sequence(0, 5));
    rt_use_real_clock();
}

TEST(RandomTest, ValuesStayInTheUnitInterval) {
    app_set_random_seed_advances(3);
    double sum = 0;
    for (const float u : drawn(100000)) {
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
        sum += u;
    }
    EXPECT_NEAR(sum / 100000, 0.5, 0.01);
}

} // namespace
