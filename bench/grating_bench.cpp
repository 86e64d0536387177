// The start screen's grating at K = 2: one line segment per two columns of every row, through
// the gw_ primitives against writing the same pixels straight into a bitmap.
#include "bench_window.h"
#include "framework/graphics/gw_graphics.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int32_t K = 2;
constexpr int32_t COLUMNS = bench::SURFACE_WIDTH / K;
constexpr int32_t WHITE = 0xFFFFFF;
constexpr int32_t BLACK = 0x000000;

// Per row y = 0..650, for i = 1..W/K: colour white when i + y is odd, else black; move to
// ((i - 1)K + 1, y), line to (iK, y), move to (iK, y).
void BM_GratingPrimitives(benchmark::State& state) {
    bench::activate_bench_window();
    for (auto _ : state) {
        for (int32_t y = 0; y <= bench::SURFACE_HEIGHT; ++y) {
            for (int32_t i = 1; i <= COLUMNS; ++i) {
                gw_set_color_rgb((i + y) % 2 ? WHITE : BLACK);
                gw_move_to((i - 1) * K + 1, y, nullptr);
                gw_line_to(i * K, y);
                gw_move_to(i * K, y, nullptr);
            }
        }
    }
    state.counters["segments"] = benchmark::Counter(
        static_cast<double>(COLUMNS * (bench::SURFACE_HEIGHT + 1)), benchmark::Counter::kDefaults);
}
BENCHMARK(BM_GratingPrimitives)->Unit(benchmark::kMillisecond);

// The same pixels, each segment's columns (i - 1)K + 1 .. iK of row y, cut to the bitmap.
void BM_GratingDirect(benchmark::State& state) {
    raster::Bitmap bitmap(bench::SURFACE_WIDTH, bench::SURFACE_HEIGHT);
    for (auto _ : state) {
        for (int32_t y = 0; y <= bench::SURFACE_HEIGHT; ++y) {
            for (int32_t i = 1; i <= COLUMNS; ++i) {
                const raster::Pixel pixel =
                    raster::pixel_from_colorref((i + y) % 2 ? WHITE : BLACK);
                for (int32_t x = (i - 1) * K + 1; x <= i * K; ++x)
                    if (x < bitmap.width() && y < bitmap.height())
                        bitmap.set_pixel(x, y, pixel);
            }
        }
        benchmark::DoNotOptimize(bitmap.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GratingDirect)->Unit(benchmark::kMillisecond);

} // namespace
