// Fonts: building the font table (the process's first gw_init_fonts, a later one, and the
// enumeration with and without fontconfig's cache), and drawing the start prompt at h38w17.
#include "bench_window.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/text/gw_text.h"
#include "platform/fonts/font_library.h"
#include "runtime/cp1251.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The process's first call enumerates the system's fonts (fontconfig reading its cache) and
// measures every face; it can only be timed once per process.
void BM_InitFontsFirstCall(benchmark::State& state) {
    bench::activate_bench_window();
    int16_t count = 0;
    for (auto _ : state)
        count = gw_init_fonts();
    if (count <= 0)
        state.SkipWithError("no fonts");
    state.counters["fonts"] = count;
}
BENCHMARK(BM_InitFontsFirstCall)->Iterations(1)->Unit(benchmark::kMillisecond);

// Later calls only create the last table entry for the window.
void BM_InitFontsAgain(benchmark::State& state) {
    bench::activate_bench_window();
    int16_t count = 0;
    for (auto _ : state)
        count = gw_init_fonts();
    if (count <= 0)
        state.SkipWithError("no fonts");
}
BENCHMARK(BM_InitFontsAgain)->Unit(benchmark::kMicrosecond);

// What the first call costs each time: the system configuration loaded with fontconfig's cache
// and every face enumerated and measured.
void BM_EnumerateSystemFonts(benchmark::State& state) {
    for (auto _ : state) {
        auto library = fonts::FontLibrary::open({});
        benchmark::DoNotOptimize(library->enumerate());
    }
}
BENCHMARK(BM_EnumerateSystemFonts)->Unit(benchmark::kMillisecond);

// Cold: the system's font folder scanned into an empty cache folder every time.
void BM_EnumerateWithoutCache(benchmark::State& state) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / "talvena-fonts-bench";
    int32_t round = 0;
    for (auto _ : state) {
        const std::filesystem::path cache = root / std::to_string(round++);
        auto library = fonts::FontLibrary::open({{"/usr/share/fonts"}, cache.string()});
        benchmark::DoNotOptimize(library->enumerate());
    }
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_EnumerateWithoutCache)->Unit(benchmark::kMillisecond);

void BM_DrawPrompt(benchmark::State& state) {
    bench::activate_bench_window();
    if (gw_init_fonts() <= 0)
        state.SkipWithError("no fonts");
    const std::string spec = "t'Times New Roman Cyr'h38w17";
    gw_select_font(spec.data(), static_cast<int32_t>(spec.size()));
    gw_set_color_rgb(0xFFFFFF);
    const std::string prompt = utf8_to_cp1251("Для продолжения нажмите любую кнопку мыши");
    for (auto _ : state) {
        gw_move_to(10, 300, nullptr);
        gw_draw_text(prompt.data(), static_cast<int32_t>(prompt.size()));
    }
    state.counters["characters"] = static_cast<double>(prompt.size());
}
BENCHMARK(BM_DrawPrompt)->Unit(benchmark::kMicrosecond);

} // namespace
