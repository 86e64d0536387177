// The drawing window the benchmarks draw into: 980 x 650 pixels, as the start screen's.
#pragma once

#include <cstdint>

namespace bench {

constexpr int16_t SURFACE_WIDTH = 980;
constexpr int16_t SURFACE_HEIGHT = 650;

// Opens and configures the window on first use and makes it the calling thread's active window.
void activate_bench_window();

} // namespace bench
