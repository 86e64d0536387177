// A timed run of one start-screen step at K = 2 in the real window system, headless: the grating
// and the figure drawn through the primitives while the GUI thread repaints, and how many
// repaints the GUI thread made for it. Run by hand from the build folder (it reads
// talvena.sym there): build/bench/talvena_sweep_bench.
#include "app/drawing_window.h"
#include "app/figure_data.h"
#include "app/training_image.h"
#include "framework/program/process.h"
#include "framework/program/program_startup.h"
#include "platform/ui/child_view.h"
#include "runtime/stop.h"
#include "runtime/window_units.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

int32_t paints_of(int32_t window_number) {
    int32_t paints = 0;
    framework::on_gui_and_wait([&] { paints = ui::view_state(window_number).paints; });
    return paints;
}

void measure() {
    const FigureDataResult figures = app_read_figure_data("talvena.sym");
    if (figures.error) {
        std::fprintf(stderr, "%s\n", figures.error->message().c_str());
        rt_stop();
    }
    app_open_drawing_window(APP_DRAWING_UNIT, APP_DRAWING_HEIGHT, APP_DRAWING_WIDTH, "bench");
    const int32_t window = *rt_unit_window(APP_DRAWING_UNIT);
    const auto never = [] { return false; };
    for (int32_t round = 1; round <= 5; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const int32_t paints_before = paints_of(window);
        const auto start = std::chrono::steady_clock::now();
        app_draw_grating(2, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, 0, never);
        app_draw_hidden_figure(2, figures.figures, APP_DRAWING_WIDTH, APP_DRAWING_HEIGHT, never);
        const double drawn_ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        // The last repaint follows within a frame or two.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::printf("step %d at K=2: %.1f ms drawing, %d repaints\n", round, drawn_ms,
                    paints_of(window) - paints_before);
    }
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
