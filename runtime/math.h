// Arithmetic helpers of the run-time: rounding to the nearest integer, sine and cosine in degrees.
#pragma once

#include <cstdint>

// The integer nearest to `value`, halves away from zero (2.5 -> 3, -2.5 -> -3). Values beyond
// the 32-bit range give the nearest end of the range; NaN gives 0.
int32_t rt_round_nearest(double value);

// Sine and cosine of an angle in degrees. Exact at every multiple of 30 degrees where the result
// is 0, 1/2 or 1 in size (sin 180 = 0, cos 90 = 0, sin 30 = 0.5, cos 60 = 0.5, whatever the
// number of whole turns); elsewhere within an ulp or two. Zeros are +0. NaN for an infinite or
// NaN angle.
double rt_sin_degrees(double degrees);
double rt_cos_degrees(double degrees);
