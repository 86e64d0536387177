// The activities' drawing, timed as a whole in the real window system, headless: the Landolt
// rings as drawn against their ideal sizes, level by level, for two viewing geometries; the delay
// from the end of a ring's drawing to the repaint that shows it; and one training image (grating,
// figure and bars) at K = 2 and K = 9 with its repaint. Run by hand from the build folder (it
// reads talvena.sym there): build/bench/talvena_activity_bench.
#include "app/acuity_levels.h"
#include "app/drawing_window.h"
#include "app/figure_data.h"
#include "app/landolt_ring.h"
#include "app/random.h"
#include "app/training_image.h"
#include "framework/graphics/gw_graphics.h"
#include "framework/program/process.h"
#include "framework/program/program_startup.h"
#include "framework/program/window_system_hooks.h"
#include "framework/surface/surface.h"
#include "framework/windows/child_window.h"
#include "platform/raster/color.h"
#include "platform/ui/child_view.h"
#include "runtime/math.h"
#include "runtime/stop.h"
#include "runtime/window_units.h"
#include "tests/app/ring_measurement.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
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

int32_t paints_of(int32_t window_number) {
    int32_t paints = 0;
    framework::on_gui_and_wait([&] { paints = ui::view_state(window_number).paints; });
    return paints;
}

// The ring as it was drawn before it was sampled at pixel centres, kept here as the baseline: a
// filled black ellipse, a filled white ellipse pulled in by half a pixel, and the gap as a
// filled white polygon, every corner rounded on its own.
void draw_ring_with_filled_shapes(float v, const Geometry& g, int32_t side, int32_t tilt) {
    const float s = app_ring_scale(v, g.distance_cm, g.diagonal_in, g.nx, g.ny);
    const float cx = APP_DRAWING_WIDTH / 2.0f;
    const float cy = APP_DRAWING_HEIGHT / 2.0f;
    const auto round16 = [](float value) { return static_cast<int16_t>(rt_round_nearest(value)); };
    gw_set_color_rgb(0xFFFFFF);
    gw_rectangle(GW_FILLED, 0, 0, g.nx - 1, g.ny - 1);
    const float outer = 72.5f / 2.0f * s;
    gw_set_color_rgb(0x000000);
    gw_ellipse(GW_FILLED, round16(cx - outer), round16(cy - outer), round16(cx + outer),
               round16(cy + outer));
    const float inner = 43.5f / 2.0f * s;
    gw_set_color_rgb(0xFFFFFF);
    gw_ellipse(GW_FILLED, round16(cx - inner + 0.5f), round16(cy - inner + 0.5f),
               round16(cx + inner - 0.5f), round16(cy + inner - 0.5f));
    const float length = static_cast<float>(side) * 76.5f / 2.0f * s;
    const float half_width = 14.5f / 2.0f * s;
    const auto cosine = static_cast<float>(rt_cos_degrees(tilt));
    const auto sine = static_cast<float>(rt_sin_degrees(tilt));
    const float corners_uv[4][2] = {
        {0.0f, -half_width}, {0.0f, half_width}, {length, half_width}, {length, -half_width}};
    gw_point16 corners[4];
    for (int i = 0; i < 4; ++i) {
        corners[i].x = round16(cx + corners_uv[i][0] * cosine - corners_uv[i][1] * sine);
        corners[i].y = round16(cy + corners_uv[i][0] * sine + corners_uv[i][1] * cosine);
    }
    gw_polygon(GW_FILLED, corners, 4);
}

enum class RingDrawing { sampled, filled_shapes };

// Every level with each tilt (gap on the right), measured on the drawing as with a loupe: the
// outer diameter from the black extent, the inner one down the column next to the centre, the
// gap across the band. Ends with the mean deviation of the gap from its ideal over the levels
// whose ideal gap is a pixel or more.
void print_table(const Geometry& g, int32_t window, RingDrawing drawing) {
    std::printf("\n%s: %.0f cm, %.1f in, %d x %d, pitch %.4f mm, %s\n", g.name, g.distance_cm,
                g.diagonal_in, g.nx, g.ny, app_pixel_pitch_mm(g.diagonal_in, g.nx, g.ny),
                drawing == RingDrawing::sampled ? "sampled at pixel centres"
                                                : "filled shapes (the earlier drawing)");
    std::printf("%5s %6s %6s %6s %6s %6s | %17s | %17s | %17s\n", "V", "outer", "drawn", "inner",
                "drawn", "gap", "gap drawn -45", "gap drawn 0", "gap drawn 45");
    double error_sum = 0.0;
    double signed_sum = 0.0;
    int32_t count = 0;
    const double cx = APP_DRAWING_WIDTH / 2.0;
    const double cy = APP_DRAWING_HEIGHT / 2.0;
    for (int32_t index = ACUITY_FIRST_TRIED_INDEX; index < ACUITY_HIGHEST_INDEX; ++index) {
        const float v = app_acuity_level(index);
        const double scale = app_ring_scale(v, g.distance_cm, g.diagonal_in, g.nx, g.ny);
        const double gap = 14.5 * scale;
        test_support::RingMeasured at_tilt[3];
        for (int32_t t = 0; t < 3; ++t) {
            LandoltRingDrawn ring;
            if (drawing == RingDrawing::filled_shapes) {
                ring.side = RING_GAP_RIGHT;
                ring.tilt = 45 * (t - 1);
                draw_ring_with_filled_shapes(v, g, ring.side, ring.tilt);
            }
            for (int64_t seed = 0; ring.side != RING_GAP_RIGHT || ring.tilt != 45 * (t - 1);
                 ++seed) {
                app_set_random_seed_advances(seed);
                app_draw_landolt_ring(v, g.distance_cm, g.diagonal_in, APP_DRAWING_WIDTH,
                                      APP_DRAWING_HEIGHT, g.nx, g.ny, &ring);
            }
            framework::SurfaceAccess access(gw_find_window(window)->surface);
            at_tilt[t] = test_support::measure_ring(access.bitmap(), cx, cy, 36.25 * scale,
                                                    21.75 * scale, ring.side, ring.tilt);
            if (gap >= 1.0) {
                error_sum += std::abs(at_tilt[t].gap - gap);
                signed_sum += at_tilt[t].gap - gap;
                ++count;
            }
        }
        std::printf("%5s %6.2f %6.0f %6.2f %6.0f %6.2f | %17.2f | %17.2f | %17.2f\n",
                    app_acuity_text(v).c_str(), 72.5 * scale, at_tilt[1].outer, 43.5 * scale,
                    at_tilt[1].inner, gap, at_tilt[0].gap, at_tilt[1].gap, at_tilt[2].gap);
    }
    std::printf("gap drawn - ideal over levels with a gap of 1 px or more: mean |error| %.2f px, "
                "mean error %+.2f px\n",
                error_sum / count, signed_sum / count);
}

// Milliseconds since `start`.
double ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
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

void measure() {
    const FigureDataResult figures = app_read_figure_data("talvena.sym");
    if (figures.error) {
        std::fprintf(stderr, "%s\n", figures.error->message().c_str());
        rt_stop();
    }
    app_open_drawing_window(APP_DRAWING_UNIT, APP_DRAWING_HEIGHT, APP_DRAWING_WIDTH, "bench");
    const int32_t window = *rt_unit_window(APP_DRAWING_UNIT);
    for (const RingDrawing drawing : {RingDrawing::filled_shapes, RingDrawing::sampled}) {
        print_table({"default", 200.0f, 17.7f, 1024, 768}, window, drawing);
        print_table({"desk", 60.0f, 24.0f, 1920, 1080}, window, drawing);
        print_table({"far", 500.0f, 17.0f, 1024, 768}, window, drawing);
    }
    print_repaint_delays(window);
    print_training_image_times(window, figures.figures);
    std::fflush(stdout);
    rt_stop();
}

} // namespace

int main(int argc, char** argv) {
    GwApplication application;
    application.initial_settings = [] { return -1; };
    application.main = measure;
    return gw_startup(argc, argv, application, {.headless = true});
}
