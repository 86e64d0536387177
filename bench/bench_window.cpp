// The drawing window the benchmarks draw into.
#include "bench_window.h"

#include "framework/windows/child_window.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/windows/window_config.h"
#include "runtime/window_units.h"

#include <cstdlib>

namespace bench {

namespace {

constexpr int32_t BENCH_UNIT = 1;

int32_t open_bench_window() {
    const int32_t number = gw_open_child_window("bench");
    gw_child_window* window = gw_find_window(number);
    gw_window_config config;
    config.surface_width = SURFACE_WIDTH;
    config.surface_height = SURFACE_HEIGHT;
    if (!window || gw_apply_window_config(config, *window) != 1)
        std::abort();
    rt_connect_unit_to_window(BENCH_UNIT, number);
    return number;
}

} // namespace

void activate_bench_window() {
    static const int32_t number = open_bench_window();
    (void)number;
    if (gw_set_active_window(BENCH_UNIT) != 1)
        std::abort();
}

} // namespace bench
