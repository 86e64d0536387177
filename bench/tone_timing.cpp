// A timed run of tones on the real clock: how long each rt_beep call lasts against the tone's
// length, and, when a recording command is given, how long after the call the tone is heard.
// Run by hand, usually inside bench/tone_servers.sh, which sets up a sound server:
//   build/bench/talvena_tone_bench [--count N] [--lengths 50,200,300] [--hz 1000]
//                                  [--gap-ms 800] [--record "COMMAND"] [--each 1] [--hold 1]
// COMMAND writes what the sound device plays to standard output, as raw 16-bit mono at 48 kHz,
// from before the first tone on (for example `parec -d cap.monitor --raw --format=s16le
// --rate=48000 --channels=1 --latency-msec=10`). The recording is placed on the steady clock by
// the arrival of its data: the earliest a sample can have been recorded is when it reached us,
// less the samples read with it, so each delay found is at most the true one plus the
// recording's own latency. A recording that loses samples, or a sound server that mixes a new
// stream into what it has already rendered, shifts the delays by milliseconds to tens of them:
// --each 1 prints every call (its length, duration, onset and heard length) to show such drift.
// --hold 1 holds the tone stream open from the start, as an activity does (rt_hold_tones), so
// that the first tone does not wait for the device to open; --hold 0 opens it at the first tone.
#include "runtime/beep.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double RATE = 48000.0;
// The first sample at least this loud is the tone's onset (the fade makes its first samples 0).
constexpr int ONSET_LEVEL = 1;

struct Options {
    int count = 20;
    std::vector<int32_t> lengths = {50, 200, 300};
    int32_t hz = 1000;
    int32_t gap_ms = 800;
    std::string record;
    bool each = false;
    bool hold = false;
};

// The recording: its samples, and the steady-clock time of sample 0 as far as arrivals tell.
class Recording {
public:
    bool start(const std::string& command) {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            const std::string exec_command = "exec " + command;
            execl("/bin/sh", "sh", "-c", exec_command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        m_fd = fds[0];
        m_reader = std::thread([this] { read_all(); });
        return m_pid > 0;
    }
    void stop() {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_reader.join();
        close(m_fd);
    }
    // The seconds since `origin` at which sample `index` was recorded.
    double time_of(size_t index, Clock::time_point origin) const {
        return std::chrono::duration<double>(m_sample0 - origin).count() +
               static_cast<double>(index) / RATE;
    }
    // The first sample at ONSET_LEVEL or louder from `from` on, before `to`; -1 when none.
    long onset(size_t from, size_t to) const {
        for (size_t i = from; i < to && i < m_samples.size(); ++i)
            if (std::abs(int{m_samples[i]}) >= ONSET_LEVEL)
                return static_cast<long>(i);
        return -1;
    }
    // The samples from `from` to the last one at ONSET_LEVEL or louder before 5 ms of quiet or
    // `to`: the length of a tone as heard, short gaps in it included.
    size_t heard_length(size_t from, size_t to) const {
        constexpr size_t QUIET = 240;
        size_t last = from;
        for (size_t i = from; i < to && i < m_samples.size() && i - last < QUIET; ++i)
            if (std::abs(int{m_samples[i]}) >= ONSET_LEVEL)
                last = i;
        return last + 1 - from;
    }
    size_t index_at(double seconds, Clock::time_point origin) const {
        const double offset = std::chrono::duration<double>(m_sample0 - origin).count();
        return seconds <= offset ? 0 : static_cast<size_t>((seconds - offset) * RATE);
    }

private:
    void read_all() {
        std::vector<char> buffer(4096);
        std::vector<char> pending;
        bool first = true;
        for (;;) {
            const ssize_t n = read(m_fd, buffer.data(), buffer.size());
            if (n <= 0)
                return;
            const auto arrived = Clock::now();
            pending.insert(pending.end(), buffer.begin(), buffer.begin() + n);
            for (size_t i = 0; i + 1 < pending.size(); i += 2)
                m_samples.push_back(static_cast<int16_t>(
                    static_cast<uint8_t>(pending[i]) | static_cast<uint8_t>(pending[i + 1]) << 8));
            pending.erase(pending.begin(), pending.begin() + (pending.size() & ~size_t{1}));
            const auto sample0 =
                arrived - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                              static_cast<double>(m_samples.size()) / RATE));
            if (first || sample0 < m_sample0)
                m_sample0 = sample0;
            first = false;
        }
    }
    pid_t m_pid = -1;
    int m_fd = -1;
    std::thread m_reader;
    std::vector<int16_t> m_samples; // read by the main thread only after stop()
    Clock::time_point m_sample0;
};

std::vector<int32_t> parse_lengths(const std::string& text) {
    std::vector<int32_t> lengths;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        lengths.push_back(std::atoi(item.c_str()));
    return lengths;
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--count")
            options.count = std::atoi(value.c_str());
        else if (name == "--lengths")
            options.lengths = parse_lengths(value);
        else if (name == "--hz")
            options.hz = std::atoi(value.c_str());
        else if (name == "--gap-ms")
            options.gap_ms = std::atoi(value.c_str());
        else if (name == "--record")
            options.record = value;
        else if (name == "--each")
            options.each = value == "1";
        else if (name == "--hold")
            options.hold = value == "1";
    }
    return options;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double smallest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double largest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

struct Call {
    int32_t ms;
    double start_s; // since the run's origin
    double duration_ms;
};

} // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    const Clock::time_point origin = Clock::now();
    if (options.hold)
        rt_hold_tones(true);
    Recording recording;
    if (!options.record.empty()) {
        if (!recording.start(options.record))
            return 1;
        rt_beep(0, 1000); // the recording's start-up
    }
    std::vector<Call> calls;
    for (int32_t ms : options.lengths) {
        for (int i = 0; i < options.count; ++i) {
            const auto start = Clock::now();
            rt_beep(options.hz, ms);
            const auto end = Clock::now();
            calls.push_back({ms, std::chrono::duration<double>(start - origin).count(),
                             std::chrono::duration<double, std::milli>(end - start).count()});
            rt_beep(0, options.gap_ms);
        }
    }
    if (!options.record.empty()) {
        rt_beep(0, 3000); // the last tone's way through the sound server
        recording.stop();
    }

    std::printf("%6s %5s %12s %12s %14s %14s %6s %8s %8s\n", "ms", "calls", "call median",
                "call max", "onset median", "onset max", "heard", "len min", "len max");
    for (int32_t ms : options.lengths) {
        std::vector<double> durations;
        std::vector<double> onsets;
        std::vector<double> heard_lengths;
        for (size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].ms != ms)
                continue;
            durations.push_back(calls[i].duration_ms);
            if (options.record.empty())
                continue;
            // A tone belongs to the call it follows and sounds before the next call starts; the
            // search starts a little before the call, so that an error of the recording's
            // placement on the clock shows as a negative delay.
            const double until = i + 1 < calls.size() ? calls[i + 1].start_s : calls[i].start_s + 3;
            const long at = recording.onset(recording.index_at(calls[i].start_s - 0.02, origin),
                                            recording.index_at(until, origin));
            const double onset_ms =
                at < 0
                    ? -1.0
                    : (recording.time_of(static_cast<size_t>(at), origin) - calls[i].start_s) * 1e3;
            double heard_ms = 0.0;
            if (at >= 0) {
                onsets.push_back(onset_ms);
                heard_ms = static_cast<double>(recording.heard_length(
                               static_cast<size_t>(at), recording.index_at(until, origin))) /
                           RATE * 1e3;
                heard_lengths.push_back(heard_ms);
            }
            if (options.each)
                std::printf("call %zu: %d ms lasted %.2f ms, heard %s%.1f ms after for %.1f ms\n",
                            i, ms, calls[i].duration_ms, at < 0 ? "never " : "", onset_ms,
                            heard_ms);
        }
        std::printf("%6d %5zu %12.2f %12.2f", ms, durations.size(), median(durations),
                    largest(durations));
        if (options.record.empty())
            std::printf("\n");
        else
            std::printf(" %14.1f %14.1f %3zu/%zu %8.1f %8.1f\n", median(onsets), largest(onsets),
                        onsets.size(), durations.size(), smallest(heard_lengths),
                        largest(heard_lengths));
    }
    return 0;
}
