// A timed run of the start screen on the real clock: how much processor time its 5-second pauses
// take (they sleep until their end or a click, so it should be next to none), and how soon the
// main loop acts on a click that arrives during a pause. Run by hand:
// build/bench/talvena_pause_bench [clicks].
//
// The main loop runs on a window without a screen (the drawing primitives need none). A second
// thread plays the user-interface thread: it calls the application's mouse handler, as the window
// system does when a press and a release reach it, and the click is timed from the release to the
// moment the loop starts the activity it asked for.
#include "app/drawing_window.h"
#include "app/interaction_state.h"
#include "app/start_screen.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int32_t RIGHT = 2;
constexpr int32_t RIGHT_PRESS = 8;
constexpr int32_t RIGHT_RELEASE = 16;

double process_cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// What the loop reports to the measuring thread.
struct Observations {
    std::mutex mutex;
    std::condition_variable changed;
    int32_t pauses = 0;
    Clock::time_point pause_began;
    int32_t vision_tests = 0;
    Clock::time_point vision_test_began;
};

Observations g_seen;

void wait_for_pause(int32_t count) {
    std::unique_lock lock(g_seen.mutex);
    g_seen.changed.wait(lock, [&] { return g_seen.pauses >= count; });
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int32_t clicks = argc > 1 ? std::atoi(argv[1]) : 100;
    // A small window: the gratings between the pauses take little time.
    app_open_drawing_window(APP_DRAWING_UNIT, 40, 60, "bench");
    FigurePointTable figures;
    for (int32_t k = 1; k <= 9; ++k)
        figures.set_points(k, {{2, 0}, {2, 2 * k}});

    rt_trace_add_listener([](std::string_view event, auto) {
        if (event != "pause")
            return;
        std::lock_guard lock(g_seen.mutex);
        ++g_seen.pauses;
        g_seen.pause_began = Clock::now();
        g_seen.changed.notify_all();
    });
    StartScreenActivities activities{
        .run_training = [](int32_t) {},
        .run_vision_test =
            [] {
                std::lock_guard lock(g_seen.mutex);
                ++g_seen.vision_tests;
                g_seen.vision_test_began = Clock::now();
                g_seen.changed.notify_all();
            },
        .show_results_chart = [] {},
        .at_sync_point = {},
    };
    std::thread application([&] {
        StartScreen screen(figures, 60, 40, activities);
        screen.run();
    });

    // Processor time of four whole pauses, measured from 0.2 s into each to 0.2 s before its end.
    double pause_cpu = 0;
    double pause_wall = 0;
    for (int32_t pause = 1; pause <= 4; ++pause) {
        wait_for_pause(pause);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const double cpu_before = process_cpu_seconds();
        const auto wall_before = Clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(4600));
        pause_cpu += process_cpu_seconds() - cpu_before;
        pause_wall += std::chrono::duration<double>(Clock::now() - wall_before).count();
    }
    std::printf("pauses: %.3f s of processor time in %.1f s of pausing = %.2f%% of one core\n",
                pause_cpu, pause_wall, 100.0 * pause_cpu / pause_wall);

    // Clicks: each one in a fresh pause, 1 s after it began.
    std::vector<double> latencies_ms;
    for (int32_t click = 0; click < clicks; ++click) {
        int32_t pauses_now = 0;
        {
            std::lock_guard lock(g_seen.mutex);
            pauses_now = g_seen.pauses;
        }
        wait_for_pause(pauses_now + 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        int32_t tests_before = 0;
        {
            std::lock_guard lock(g_seen.mutex);
            tests_before = g_seen.vision_tests;
        }
        app_mouse_handler(APP_DRAWING_UNIT, RIGHT_PRESS, RIGHT, 10, 10);
        const auto released = Clock::now();
        app_mouse_handler(APP_DRAWING_UNIT, RIGHT_RELEASE, 0, 10, 10);
        std::unique_lock lock(g_seen.mutex);
        g_seen.changed.wait(lock, [&] { return g_seen.vision_tests > tests_before; });
        latencies_ms.push_back(
            std::chrono::duration<double, std::milli>(g_seen.vision_test_began - released).count());
    }
    if (!latencies_ms.empty())
        std::printf("click to action over %zu clicks: median %.3f ms, maximum %.3f ms\n",
                    latencies_ms.size(), median(latencies_ms),
                    *std::max_element(latencies_ms.begin(), latencies_ms.end()));
    std::fflush(stdout);
    std::_Exit(0);
}
