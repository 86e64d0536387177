// Training figures drawn pixel by pixel: 10000 tiles at K = 9, each a 2K x 2K checkerboard of
// four K x K squares, through gw_set_pixel_rgb against writing the same pixels straight into a
// bitmap.
#include "bench_window.h"
#include "framework/graphics/gw_graphics.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/color.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int32_t K = 9;
constexpr int32_t TILES = 10000;
constexpr int32_t TILE = 2 * K;
constexpr int32_t TILES_PER_ROW = bench::SURFACE_WIDTH / TILE;
constexpr int32_t TILE_ROWS = bench::SURFACE_HEIGHT / TILE;

// Tile t lies at column t mod TILES_PER_ROW and row (t / TILES_PER_ROW) mod TILE_ROWS, so that
// the 10000 tiles cover the surface several times over.
template <typename SetPixel>
void draw_tiles(SetPixel set_pixel) {
    for (int32_t t = 0; t < TILES; ++t) {
        const int32_t left = t % TILES_PER_ROW * TILE;
        const int32_t top = t / TILES_PER_ROW % TILE_ROWS * TILE;
        for (int32_t dy = 0; dy < TILE; ++dy)
            for (int32_t dx = 0; dx < TILE; ++dx)
                set_pixel(left + dx, top + dy, (dx < K) == (dy < K) ? 0xFFFFFF : 0x000000);
    }
}

void BM_FigurePixelsPrimitives(benchmark::State& state) {
    bench::activate_bench_window();
    for (auto _ : state)
        draw_tiles([](int32_t x, int32_t y, int32_t rgb) { gw_set_pixel_rgb(x, y, rgb); });
    state.counters["pixels"] = TILES * TILE * TILE;
}
BENCHMARK(BM_FigurePixelsPrimitives)->Unit(benchmark::kMillisecond);

void BM_FigurePixelsDirect(benchmark::State& state) {
    raster::Bitmap bitmap(bench::SURFACE_WIDTH, bench::SURFACE_HEIGHT);
    for (auto _ : state) {
        draw_tiles([&bitmap](int32_t x, int32_t y, int32_t rgb) {
            bitmap.set_pixel(x, y, raster::pixel_from_colorref(static_cast<uint32_t>(rgb)));
        });
        benchmark::DoNotOptimize(bitmap.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FigurePixelsDirect)->Unit(benchmark::kMillisecond);

} // namespace
