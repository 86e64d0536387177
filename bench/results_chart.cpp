// The results chart over long histories: the time from the start of the chart to its `chart`
// event against reading the file alone (both passes, nothing drawn) in the same run, and the
// chart's peak memory for a short and a long history. Run by hand from the build folder:
//
//     build/bench/talvena_chart_bench [records ...]        (default: 1000 100000)
//
// Each history is generated into a temporary data folder: five records a day (two vision tests
// and three trainings with changing values). The chart draws into a window without a screen;
// a second thread answers its wait for a click. The memory figures come from a fresh process per
// history (this program started again with --memory N): its peak resident size before the chart
// and after it.
#include "app/activities.h"
#include "app/data_folder.h"
#include "app/drawing_window.h"
#include "app/interaction_state.h"
#include "app/results_file.h"
#include "framework/text/gw_text.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int32_t RECORDS_PER_DAY = 5;
constexpr int32_t REPEATS = 5;

// A history of `count` records from 1 January 2000 on, five a day.
void write_history(const fs::path& path, int32_t count) {
    std::ofstream out(path, std::ios::binary);
    out << app_results_header() << "\r\n";
    for (int32_t i = 0; i < count; ++i) {
        const int32_t day = i / RECORDS_PER_DAY;
        const int32_t slot = i % RECORDS_PER_DAY;
        // Whole days of 30-day months keep the dates simple and valid.
        ResultsStamp stamp{1 + day % 28, 1 + (day / 28) % 12, 2000 + day / (28 * 12),
                           8 + 2 * slot, (7 * i) % 60,        (13 * i) % 60};
        if (slot == 0 || slot == 3) {
            const VisionRecord record{stamp, 200.0f, 17.7f,
                                      768,   1024,   0.1f * static_cast<float>(1 + i % 15)};
            out << app_format_vision_record(record) << "\r\n";
        } else {
            const TrainingRecord record{
                stamp, 150.0f + static_cast<float>(i % 300),       2 + i % 8, 20 + i % 200, 25, 3,
                2,     0.5f + 0.01f * static_cast<float>(i % 400), i % 60};
            out << app_format_training_record(record) << "\r\n";
        }
    }
}

// The peak resident set of this process so far, in KiB (VmHWM).
long peak_resident_kib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// Answers the chart's wait for a click: once the chart says `wait-click`, clicks every few
// milliseconds until the chart has returned (a click landing before the wait cleared the state
// would be lost).
class Clicker {
public:
    Clicker() {
        rt_trace_add_listener([this](std::string_view event, auto) {
            if (event == "wait-click") {
                std::lock_guard lock(m_mutex);
                m_waiting = true;
                m_changed.notify_all();
            } else if (event == "chart") {
                m_chart_at = Clock::now();
            }
        });
        m_thread = std::thread([this] { run(); });
    }
    ~Clicker() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
            m_changed.notify_all();
        }
        m_thread.join();
    }

    // Draws the chart; returns the seconds from the call to its `chart` event.
    double draw_chart() {
        const auto start = Clock::now();
        app_draw_results_chart();
        {
            std::lock_guard lock(m_mutex);
            m_waiting = false;
        }
        return std::chrono::duration<double>(m_chart_at - start).count();
    }

private:
    void run() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [&] { return m_waiting || m_stop; });
            if (m_stop)
                return;
            lock.unlock();
            app_mouse_handler(APP_DRAWING_UNIT, APP_MOUSE_LEFT_PRESS, APP_LEFT_BUTTON, 10, 10);
            app_mouse_handler(APP_DRAWING_UNIT, APP_MOUSE_LEFT_RELEASE, 0, 10, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_waiting = false;
    bool m_stop = false;
    Clock::time_point m_chart_at;
    std::thread m_thread;
};

double read_alone(const fs::path& path) {
    const auto start = Clock::now();
    int32_t seen = 0;
    app_read_results_dates(path, [&](const ResultsStamp&) { ++seen; });
    app_read_results_values(path, [&](const ResultsEntry&) { ++seen; });
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seen == 0)
        std::printf("(nothing read)\n");
    return seconds;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void open_window() {
    app_open_drawing_window(APP_DRAWING_UNIT, APP_DRAWING_HEIGHT, APP_DRAWING_WIDTH, "bench");
    gw_init_fonts();
}

fs::path history_folder(int32_t count) {
    const fs::path folder =
        fs::temp_directory_path() /
        ("talvena-chart-bench-" + std::to_string(::getpid()) + "-" + std::to_string(count));
    fs::create_directories(folder);
    write_history(folder / RESULTS_FILE_NAME, count);
    app_set_data_folder(folder);
    return folder;
}

// In a fresh process: the peak resident size before and after one chart of `count` records.
int measure_memory(int32_t count) {
    open_window();
    const fs::path folder = history_folder(count);
    Clicker clicker;
    const long before = peak_resident_kib();
    clicker.draw_chart();
    const long after = peak_resident_kib();
    std::printf("%7d records: peak resident %ld KiB before the chart, %ld KiB after (+%ld KiB)\n",
                count, before, after, after - before);
    fs::remove_all(folder);
    std::fflush(stdout);
    std::_Exit(0);
}

void measure_memory_in_child(const char* self, int32_t count) {
    const std::string count_text = std::to_string(count);
    const char* argv[] = {self, "--memory", count_text.c_str(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, const_cast<char**>(argv),
                    environ) != 0) {
        std::printf("cannot start the memory run\n");
        return;
    }
    int status = 0;
    waitpid(child, &status, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--memory")
        return measure_memory(std::atoi(argv[2]));

    std::vector<int32_t> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {1000, 100000};

    open_window();
    Clicker clicker;
    for (const int32_t count : counts) {
        const fs::path folder = history_folder(count);
        const fs::path path = folder / RESULTS_FILE_NAME;
        std::vector<double> reads;
        std::vector<double> charts;
        for (int32_t repeat = 0; repeat < REPEATS; ++repeat) {
            reads.push_back(read_alone(path));
            charts.push_back(clicker.draw_chart());
        }
        const double read = median(reads);
        const double chart = median(charts);
        std::printf("%7d records (%d days): reading both passes %.1f ms, the chart to its event "
                    "%.1f ms = %.2fx reading (medians of %d)\n",
                    count, (count + RECORDS_PER_DAY - 1) / RECORDS_PER_DAY, read * 1e3, chart * 1e3,
                    chart / read, REPEATS);
        fs::remove_all(folder);
    }
    std::fflush(stdout);
    for (const int32_t count : counts)
        measure_memory_in_child(argv[0], count);
    std::fflush(stdout);
    std::_Exit(0);
}
