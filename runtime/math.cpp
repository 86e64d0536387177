// Arithmetic helpers of the run-time: rounding to the nearest integer, sine and cosine in degrees.
#include "runtime/math.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

// Sine of an angle already reduced to -45..45 degrees. At +-30 degrees the result is exactly
// +-1/2: 30 * pi / 180 is not exactly pi / 6 in binary, and std::sin of it gives
// 0.49999999999999994.
double sin_reduced(double degrees) {
    if (degrees == 30.0)
        return 0.5;
    if (degrees == -30.0)
        return -0.5;
    return std::sin(degrees * (std::numbers::pi / 180.0));
}

double cos_reduced(double degrees) {
    return std::cos(degrees * (std::numbers::pi / 180.0));
}

// Splits an angle into a quarter turn q (0..3) and a rest r in -45..45 degrees with
// angle = q * 90 + r (modulo 360). fmod is exact, and so is the subtraction of the nearest
// multiple of 90 (the result is smaller than both operands and a multiple of their ulp), so a
// multiple of 90 gives a rest of exactly 0 and the sine and cosine of the rest are exact there.
int reduce(double degrees, double& rest) {
    const double turn = std::fmod(degrees, 360.0); // -360 < turn < 360
    const double quarters = std::nearbyint(turn / 90.0);
    rest = turn - quarters * 90.0;
    return (static_cast<int>(quarters) % 4 + 4) % 4;
}

} // namespace

int32_t rt_round_nearest(double value) {
    if (std::isnan(value))
        return 0;
    const double rounded = std::round(value); // halves away from zero
    if (rounded >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (rounded <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(rounded);
}

// sin(q * 90 + r) is sin r, cos r, -sin r, -cos r for q = 0..3; cos(q * 90 + r) is cos r, -sin r,
// -cos r, sin r. Adding 0.0 turns a -0 into +0.
double rt_sin_degrees(double degrees) {
    if (!std::isfinite(degrees))
        return std::numeric_limits<double>::quiet_NaN();
    double rest = 0.0;
    switch (reduce(degrees, rest)) {
    case 0:
        return sin_reduced(rest) + 0.0;
    case 1:
        return cos_reduced(rest) + 0.0;
    case 2:
        return -sin_reduced(rest) + 0.0;
    default:
        return -cos_reduced(rest) + 0.0;
    }
}

double rt_cos_degrees(double degrees) {
    if (!std::isfinite(degrees))
        return std::numeric_limits<double>::quiet_NaN();
    double rest = 0.0;
    switch (reduce(degrees, rest)) {
    case 0:
        return cos_reduced(rest) + 0.0;
    case 1:
        return -sin_reduced(rest) + 0.0;
    case 2:
        return -cos_reduced(rest) + 0.0;
    default:
        return sin_reduced(rest) + 0.0;
    }
}
