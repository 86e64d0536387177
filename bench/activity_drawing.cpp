// The activities' drawing, timed as a whole in the real window system, headless: the Landolt
// rings as drawn against their ideal sizes, level by level, for three viewing geometries, the
// earlier drawing against the present one; the time to draw the largest and smallest ring; the
// delay from the end of a ring's drawing to the repaint that shows it; and one training image
// (grating, figure and bars) at K = 2 and K = 9 with its repaint. Run by hand from the build folder
// (it reads talvena.sym there): build/bench/talvena_activity_bench.
#include "app/acuity_levels.h"
#include "app/drawing_window.h"
#include "app/figure_data.h"
#include "app/landolt_ring.h"
#include "app/landolt_shape.h"
#include "app/random.h"
#include "app/showable_levels.h"
#include "app/training_image.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/process.h"
#include "framework/program/program_startup.h"
#include "framework/program/window_system_hooks.h"
#include "framework/surface/surface.h"
#include "framework/windows/child_window.h"
#include "platform/raster/color.h"
#include "platform/raster/png.h"
#include "platform/ui/child_view.h"
#include "runtime/math.h"
#include "runtime/stop.h"
#include "runtime/window_units.h"
#include "tests/app/ring_measurement.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Geometry {
    const char* name;
    float distance_cm;
    float diagonal_in;
    int32_t nx;
    int32_t ny;
};

// Milliseconds since `start`.
double ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

int32_t paints_of(int32_t window_number) {
    int32_t paints = 0;
    framework::on_gui_and_wait([&] { paints = ui::view_state(window_number).paints; });
    return paints;
}

// The ring as it was drawn before it was drawn by coverage, kept here as the baseline: the
// ideal shape sampled at pixel centres, a pixel black when its centre lies on the band and off the
// gap bar, white otherwise. Draws with the same random choices as app_draw_landolt_ring.
void draw_ring_sampled(float v, const Geometry& g, LandoltRingDrawn& ring) {
    const float s = app_ring_scale(v, g.distance_cm, g.diagonal_in, g.nx, g.ny);
    const double cx = APP_DRAWING_WIDTH / 2.0;
    const double cy = APP_DRAWING_HEIGHT / 2.0;
    gw_set_color_rgb(0xFFFFFF);
    gw_rectangle(GW_FILLED, 0, 0, g.nx - 1, g.ny - 1);
    ring.side = app_ring_side(app_random_uniform());
    ring.tilt = app_ring_tilt(app_random_uniform());
    const LandoltShape shape = app_landolt_shape(s, cx, cy, ring.side, ring.tilt);
    const double along_x = ring.side * rt_cos_degrees(ring.tilt);
    const double along_y = ring.side * rt_sin_degrees(ring.tilt);
    std::vector<int16_t> xs;
    std::vector<int16_t> ys;
    const auto reach = static_cast<int32_t>(std::ceil(shape.outer_radius)) + 1;
    for (int32_t y = std::max(0, static_cast<int32_t>(cy) - reach);
         y <= std::min(APP_DRAWING_HEIGHT - 1, static_cast<int32_t>(cy) + reach); ++y) {
        for (int32_t x = std::max(0, static_cast<int32_t>(cx) - reach);
             x <= std::min(APP_DRAWING_WIDTH - 1, static_cast<int32_t>(cx) + reach); ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d2 = dx * dx + dy * dy;
            const bool band = d2 < shape.outer_radius * shape.outer_radius &&
                              d2 >= shape.inner_radius * shape.inner_radius;
            const bool bar = dx * along_x + dy * along_y >= 0.0 &&
                             std::abs(dy * along_x - dx * along_y) < shape.gap_half_width;
            if (band && !bar) {
                xs.push_back(static_cast<int16_t>(x));
                ys.push_back(static_cast<int16_t>(y));
            }
        }
    }
    const std::vector<int32_t> colors(xs.size(), 0x000000);
    gw_set_pixels_rgb(static_cast<int32_t>(xs.size()), xs.data(), ys.data(), colors.data());
}

enum class RingDrawing { sampled, coverage };

void draw_ring(RingDrawing drawing, float v, const Geometry& g, LandoltRingDrawn& ring) {
    if (drawing == RingDrawing::sampled)
        draw_ring_sampled(v, g, ring);
    else
        app_draw_landolt_ring(v, g.distance_cm, g.diagonal_in, APP_DRAWING_WIDTH,
                              APP_DRAWING_HEIGHT, g.nx, g.ny, &ring);
}

// Every level with each tilt (gap on the right), measured in the light of the drawn pixels:
// the ring's darkness against the ideal ring's area, its gap (the light across it beyond that of
// the closed side, as the width of an ideal gap) against the ideal gap. Ends with the mean
// deviations over the levels the bisection tries, and which those are: every level before, the
// levels with an ideal gap of half a pixel or more now.
void print_table(const Geometry& g, int32_t window, RingDrawing drawing) {
    std::printf("\n%s: %.0f cm, %.1f in, %d x %d, pitch %.4f mm, %s\n", g.name, g.distance_cm,
                g.diagonal_in, g.nx, g.ny, app_pixel_pitch_mm(g.diagonal_in, g.nx, g.ny),
                drawing == RingDrawing::sampled ? "sampled at pixel centres (the earlier drawing)"
                                                : "drawn by coverage in linear light");
    std::printf("%5s %9s | %9s %9s %9s | %6s | %6s %6s %6s | %s\n", "V", "area px2", "drawn -45",
                "drawn 0", "drawn 45", "gap", "-45", "0", "45", "tested");
    const int32_t first_unshowable =
        drawing == RingDrawing::sampled
            ? ACUITY_HIGHEST_INDEX
            : app_first_unshowable_index(g.distance_cm, g.diagonal_in, g.nx, g.ny);
    double area_error_sum = 0.0;
    double gap_error_sum = 0.0;
    double gap_signed_sum = 0.0;
    int32_t count = 0;
    std::string tested;
    const double cx = APP_DRAWING_WIDTH / 2.0;
    const double cy = APP_DRAWING_HEIGHT / 2.0;
    for (int32_t index = ACUITY_FIRST_TRIED_INDEX; index < ACUITY_HIGHEST_INDEX; ++index) {
        const float v = app_acuity_level(index);
        const double scale = app_ring_scale(v, g.distance_cm, g.diagonal_in, g.nx, g.ny);
        const double gap = 14.5 * scale;
        const double area = app_landolt_area(app_landolt_shape(scale, cx, cy, 1, 0));
        const bool tried = index < first_unshowable;
        if (tried)
            tested += (tested.empty() ? "" : " ") + app_acuity_text(v);
        test_support::RingMeasured at_tilt[3];
        for (int32_t t = 0; t < 3; ++t) {
            LandoltRingDrawn ring;
            for (int64_t seed = 0; ring.side != RING_GAP_RIGHT || ring.tilt != 45 * (t - 1);
                 ++seed) {
                app_set_random_seed_advances(seed);
                draw_ring(drawing, v, g, ring);
            }
            framework::SurfaceAccess access(gw_find_window(window)->surface);
            at_tilt[t] = test_support::measure_ring(access.bitmap(), cx, cy, 36.25 * scale,
                                                    21.75 * scale, gap, ring.side, ring.tilt);
            if (tried) {
                area_error_sum += std::abs(at_tilt[t].darkness - area) / area;
                gap_error_sum += std::abs(at_tilt[t].gap - gap);
                gap_signed_sum += at_tilt[t].gap - gap;
                ++count;
            }
        }
        std::printf("%5s %9.2f | %9.2f %9.2f %9.2f | %6.2f | %6.2f %6.2f %6.2f | %s\n",
                    app_acuity_text(v).c_str(), area, at_tilt[0].darkness, at_tilt[1].darkness,
                    at_tilt[2].darkness, gap, at_tilt[0].gap, at_tilt[1].gap, at_tilt[2].gap,
                    tried ? "yes" : "no");
    }
    std::printf("levels tested: %s\n", tested.c_str());
    std::printf("over the levels tested: area mean |error| %.2f %%; gap mean |error| %.2f px, "
                "mean error %+.2f px\n",
                100.0 * area_error_sum / count, gap_error_sum / count, gap_signed_sum / count);
}

// The time to draw one ring (clear included), as a ratio to the time to clear the screen alone
// in the same run: the largest ring (0.1 at 5 m) and the smallest (2.0 at the desk, and 1.25, the
// smallest the desk now tests), the earlier drawing against the present one.
void print_ring_times() {
    const Geometry far{"far", 500.0f, 17.0f, 1024, 768};
    const Geometry desk{"desk", 60.0f, 24.0f, 1920, 1080};
    const auto median_ms = [](const auto& work) {
        std::vector<double> times;
        for (int32_t i = 0; i < 101; ++i) {
            const auto start = std::chrono::steady_clock::now();
            work();
            times.push_back(ms_since(start));
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    const double clear = median_ms([&] {
        gw_set_color_rgb(0xFFFFFF);
        gw_rectangle(GW_FILLED, 0, 0, far.nx - 1, far.ny - 1);
    });
    std::printf("\nring drawn (clear included), median of 101, against the clear alone "
                "(%.3f ms)\n",
                clear);
    struct Ring {
        const char* name;
        float v;
        const Geometry* g;
    };
    for (const Ring& ring : {Ring{"0.1 at 500 cm (largest)", 0.1f, &far},
                             Ring{"2.0 at the desk (smallest)", 2.0f, &desk},
                             Ring{"1.25 at the desk", 1.25f, &desk}}) {
        for (const RingDrawing drawing : {RingDrawing::sampled, RingDrawing::coverage}) {
            LandoltRingDrawn drawn;
            const double ms = median_ms([&] { draw_ring(drawing, ring.v, *ring.g, drawn); });
            std::printf("  %-28s %-9s %.3f ms, %.2f x the clear\n", ring.name,
                        drawing == RingDrawing::sampled ? "earlier" : "coverage", ms, ms / clear);
        }
    }
}

// Waits for the first repaint after `before` paints; returns when it came, in ms since `from`.
double repaint_after(int32_t window, int32_t before, std::chrono::steady_clock::time_point from) {
    while (paints_of(window) == before)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    return ms_since(from);
}

void print_median_and_largest(const char* what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::printf("%s, %zu runs: median %.2f ms, largest %.2f ms\n", what, values.size(),
                values[values.size() / 2], values.back());
}

// The time from the end of a ring's drawing to the first repaint after it: gathered with the
// others (the baseline), and pushed to the screen at once as the vision test does, where the
// answer clock's t0 is taken when gw_show_now returns.
void print_repaint_delays(int32_t window) {
    std::vector<double> gathered;
    std::vector<double> at_once;
    std::vector<double> t0_after_paint;
    for (int32_t i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        int32_t before = paints_of(window);
        app_draw_landolt_ring(0.5f, 200.0f, 17.7f, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, 1024,
                              768);
        gathered.push_back(repaint_after(window, before, std::chrono::steady_clock::now()));

        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        before = paints_of(window);
        app_draw_landolt_ring(0.5f, 200.0f, 17.7f, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, 1024,
                              768);
        const auto drawn = std::chrono::steady_clock::now();
        gw_show_now();
        at_once.push_back(ms_since(drawn));
        t0_after_paint.push_back(paints_of(window) > before ? 0.0 : 1.0);
    }
    std::printf("\n");
    print_median_and_largest("ring drawn to repaint, gathered", gathered);
    print_median_and_largest("ring drawn to repaint, shown at once (to t0)", at_once);
    std::printf("rings whose t0 came before their repaint: %.0f of %zu\n",
                std::accumulate(t0_after_paint.begin(), t0_after_paint.end(), 0.0),
                t0_after_paint.size());
}

// One training image as the training draws it: the grating from row 20, the figure, the status
// bar green and the progress bar; then the first repaint after it.
void print_training_image_times(int32_t window, const FigurePointTable& figures) {
    const auto never = [] { return false; };
    for (const int32_t k : {2, 9}) {
        std::vector<double> drawn;
        std::vector<double> shown;
        std::vector<double> shown_at_once;
        for (int32_t i = 1; i <= 20; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            const int32_t before = paints_of(window);
            const auto start = std::chrono::steady_clock::now();
            app_draw_grating(k, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, 20, never);
            app_draw_hidden_figure(k, figures, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, never);
            gw_set_color_rgb(0x00FF00);
            gw_rectangle(GW_FILLED, 0, 10, APP_DRAWING_WIDTH - 1, 19);
            const int32_t x = (APP_DRAWING_WIDTH - 1) * i / 100;
            gw_set_color_rgb(0xFF0000);
            gw_rectangle(GW_FILLED, x, 0, APP_DRAWING_WIDTH - 1, 9);
            gw_set_color_rgb(0xFFFF00);
            gw_rectangle(GW_FILLED, 0, 0, x, 9);
            drawn.push_back(ms_since(start));
            shown.push_back(repaint_after(window, before, start));

            // The same image shown at once, as the training does before its t0.
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            app_draw_grating(k, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, 20, never);
            app_draw_hidden_figure(k, figures, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, never);
            const auto figure_done = std::chrono::steady_clock::now();
            gw_show_now();
            shown_at_once.push_back(ms_since(figure_done));
        }
        std::printf("\ntraining image at K=%d\n", k);
        print_median_and_largest("  drawn", drawn);
        print_median_and_largest("  drawn and repainted, gathered", shown);
        print_median_and_largest("  figure drawn to repaint, shown at once (to t0)", shown_at_once);
    }
}

// A sheet of rings enlarged twelve times, each on a 16 x 16 pixel cut around the centre with its
// gap on the right tilted by +45 degrees: columns 1.0, 1.5 and 2.0; rows the default geometry
// before and after, then the desk geometry before and after. Written when a path is given.
void write_ring_sheet(int32_t window, const std::filesystem::path& path) {
    constexpr int32_t CUT = 16;
    constexpr int32_t ZOOM = 12;
    constexpr int32_t CELL = CUT * ZOOM;
    constexpr int32_t RULE = 4;
    const Geometry rows[] = {{"default", 200.0f, 17.7f, 1024, 768},
                             {"desk", 60.0f, 24.0f, 1920, 1080}};
    const float levels[] = {1.0f, 1.5f, 2.0f};
    raster::Bitmap sheet(3 * CELL + 2 * RULE, 4 * CELL + 3 * RULE,
                         raster::pixel_from_colorref(0x808080));
    int32_t row = 0;
    for (const Geometry& g : rows) {
        for (const RingDrawing drawing : {RingDrawing::sampled, RingDrawing::coverage}) {
            for (int32_t column = 0; column < 3; ++column) {
                LandoltRingDrawn ring;
                for (int64_t seed = 0; ring.side != RING_GAP_RIGHT || ring.tilt != 45; ++seed) {
                    app_set_random_seed_advances(seed);
                    draw_ring(drawing, levels[column], g, ring);
                }
                framework::SurfaceAccess access(gw_find_window(window)->surface);
                const int32_t x0 = APP_DRAWING_WIDTH / 2 - CUT / 2;
                const int32_t y0 = APP_DRAWING_HEIGHT / 2 - CUT / 2;
                for (int32_t y = 0; y < CELL; ++y)
                    for (int32_t x = 0; x < CELL; ++x)
                        sheet.set_pixel(column * (CELL + RULE) + x, row * (CELL + RULE) + y,
                                        access.bitmap().pixel(x0 + x / ZOOM, y0 + y / ZOOM));
            }
            ++row;
        }
    }
    std::string error;
    if (!raster::write_png(sheet, path, &error))
        std::fprintf(stderr, "%s\n", error.c_str());
}

std::filesystem::path sheet_path;

void measure() {
    const FigureDataResult figures = app_read_figure_data("talvena.sym");
    if (figures.error) {
        std::fprintf(stderr, "%s\n", figures.error->message().c_str());
        rt_stop();
    }
    app_open_drawing_window(APP_DRAWING_UNIT, APP_DRAWING_HEIGHT, APP_DRAWING_WIDTH, "bench");
    const int32_t window = *rt_unit_window(APP_DRAWING_UNIT);
    for (const RingDrawing drawing : {RingDrawing::sampled, RingDrawing::coverage}) {
        print_table({"default", 200.0f, 17.7f, 1024, 768}, window, drawing);
        print_table({"desk", 60.0f, 24.0f, 1920, 1080}, window, drawing);
        print_table({"far", 500.0f, 17.0f, 1024, 768}, window, drawing);
    }
    if (!sheet_path.empty())
        write_ring_sheet(window, sheet_path);
    print_ring_times();
    print_repaint_delays(window);
    print_training_image_times(window, figures.figures);
    std::fflush(stdout);
    rt_stop();
}

} // namespace

// With a path, also writes the sheet of enlarged rings there as a PNG.
int main(int argc, char** argv) {
    if (argc > 1 && argv[1][0] != '-') {
        sheet_path = argv[1];
        argc = 1;
    }
    GwApplication application;
    application.initial_settings = [] { return -1; };
    application.main = measure;
    return gw_startup(argc, argv, application, {.headless = true});
}
