// Rounding to the nearest integer and sine and cosine in degrees.
#include "runtime/math.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace {

TEST(RoundNearestTest, HalvesGoAwayFromZero) {
    struct Case {
        double value;
        int32_t expected;
    };
    const Case cases[] = {
        {0.0, 0},
        {2.5, 3},
        {-2.5, -3},
        {0.5, 1},
        {-0.5, -1},
        {1.5, 2},
        {-1.5, -2},
        {2.4999999, 2},
        {-2.4999999, -2},
        {2.5000001, 3},
        {7.0, 7},
        {-7.0, -7},
        // The largest double below 0.5: adding 0.5 and truncating would wrongly give 1.
        {0.49999999999999994, 0},
        {2147483646.5, 2147483647},
        {-2147483647.5, -2147483647 - 1},
        // Beyond the 32-bit range: the nearest end; NaN: 0.
        {1e12, std::numeric_limits<int32_t>::max()},
        {-1e12, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::max()},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rt_round_nearest(c.value), c.expected) << c.value;
}

TEST(TrigDegreesTest, ExactAtQuarterTurnsAndThirtyDegrees) {
    struct Case {
        double degrees;
        double sin;
        double cos;
    };
    const Case cases[] = {
        {0, 0, 1},
        {90, 1, 0},
        {180, 0, -1},
        {270, -1, 0},
        {360, 0, 1},
        {450, 1, 0},
        {-90, -1, 0},
        {-180, 0, -1},
        {-270, 1, 0},
        {720, 0, 1},
        {36000090, 1, 0},
        {-36000180, 0, -1},
        {30, 0.5, std::sqrt(3.0) / 2},
        {150, 0.5, -std::sqrt(3.0) / 2},
        {210, -0.5, -std::sqrt(3.0) / 2},
        {330, -0.5, std::sqrt(3.0) / 2},
        {-30, -0.5, std::sqrt(3.0) / 2},
        {60, std::sqrt(3.0) / 2, 0.5},
        {120, std::sqrt(3.0) / 2, -0.5},
        {240, -std::sqrt(3.0) / 2, -0.5},
        {300, -std::sqrt(3.0) / 2, 0.5},
        {390, 0.5, std::sqrt(3.0) / 2},
    };
    for (const Case& c : cases) {
        const double s = rt_sin_degrees(c.degrees);
        const double k = rt_cos_degrees(c.degrees);
        if (c.sin == 0.0 || std::abs(c.sin) == 0.5 || std::abs(c.sin) == 1.0)
            EXPECT_EQ(s, c.sin) << "sin " << c.degrees;
        else
            EXPECT_NEAR(s, c.sin, 1e-15) << "sin " << c.degrees;
        if (c.cos == 0.0 || std::abs(c.cos) == 0.5 || std::abs(c.cos) == 1.0)
            EXPECT_EQ(k, c.cos) << "cos " << c.degrees;
        else
            EXPECT_NEAR(k, c.cos, 1e-15) << "cos " << c.degrees;
    }
}

TEST(TrigDegreesTest, ZerosArePositive) {
    for (double degrees : {0.0, 180.0, -180.0, 360.0, -360.0, 540.0})
        EXPECT_FALSE(std::signbit(rt_sin_degrees(degrees))) << degrees;
    for (double degrees : {90.0, -90.0, 270.0, -270.0, 450.0})
        EXPECT_FALSE(std::signbit(rt_cos_degrees(degrees))) << degrees;
}

TEST(TrigDegreesTest, FollowsTheRadianFunctionsEverywhere) {
    for (double degrees = -1000.0; degrees <= 1000.0; degrees += 0.37) {
        const double radians = degrees * std::numbers::pi / 180.0;
        EXPECT_NEAR(rt_sin_degrees(degrees), std::sin(radians), 1e-13) << degrees;
        EXPECT_NEAR(rt_cos_degrees(degrees), std::cos(radians), 1e-13) << degrees;
    }
    EXPECT_TRUE(std::isnan(rt_sin_degrees(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(rt_cos_degrees(std::numeric_limits<double>::quiet_NaN())));
}

} // namespace
