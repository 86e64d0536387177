// Tones: the trace event, exact virtual time, and a pause of the tone's length without sound.
#include "platform/sound/sound_output.h"
#include "platform/sound/tone_player.h"
#include "platform/sound/tone_samples.h"
#include "runtime/beep.h"
#include "runtime/clock.h"
#include "runtime/trace.h"
#include "tests/runtime/child_process.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

namespace {

class VirtualBeepTest : public testing::Test {
protected:
    void SetUp() override { rt_use_virtual_clock({2024, 5, 17, 9, 30, 0}); }
    void TearDown() override {
        rt_trace_close();
        rt_set_clock_advance_hook({});
        rt_use_real_clock();
    }
    test_support::TempFolder m_dir;
};

size_t thread_count() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return static_cast<size_t>(std::distance(begin(tasks), end(tasks)));
}

TEST_F(VirtualBeepTest, TonesAdvanceTheClockByTheirDurationAndAreTraced) {
    const size_t threads_before = thread_count();
    const std::filesystem::path path = m_dir.path() / "trace.txt";
    ASSERT_TRUE(rt_trace_open(path));
    std::vector<int64_t> advances;
    rt_set_clock_advance_hook([&](int64_t now) { advances.push_back(now); });

    rt_beep(1000, 200);
    rt_beep(0, 500);    // a silent pause
    rt_beep(440, -5);   // counts as 0
    rt_beep(20, 100);   // below the range: a silent pause as long
    rt_beep(40000, 30); // above it
    rt_beep(-1000, 70);
    EXPECT_EQ(rt_clock_microseconds(), 900'000);
    EXPECT_EQ(advances, (std::vector<int64_t>{200'000, 700'000, 800'000, 830'000, 900'000}));
    EXPECT_EQ(thread_count(), threads_before) << "no tone player with the virtual clock";

    ASSERT_TRUE(rt_trace_close());
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "0.000 tone hz=1000 ms=200\n"
                          "0.200 tone hz=0 ms=500\n"
                          "0.700 tone hz=440 ms=0\n"
                          "0.700 tone hz=20 ms=100\n"
                          "0.800 tone hz=40000 ms=30\n"
                          "0.830 tone hz=-1000 ms=70\n");
}

// With the real clock a tone lasts its length whatever the sound device does. Each case runs in
// a child process with its own sound configuration; the child reports how long rt_beep took.
struct RealCase {
    const char* name;
    const char* asoundrc; // the sound configuration of the case
    int32_t hz;
    int32_t ms;
};

void PrintTo(const RealCase& c, std::ostream* out) {
    *out << c.name << " " << c.hz << " Hz " << c.ms << " ms";
}

// The default device of a card that does not exist: what a machine without sound hardware has.
constexpr const char* NO_CARD = "defaults.pcm.card 99\ndefaults.ctl.card 99\n";

class RealBeepTest : public testing::TestWithParam<RealCase> {};

TEST_P(RealBeepTest, LastsTheTonesLength) {
    const RealCase& c = GetParam();
    test_support::TempFolder dir;
    const test_support::ChildResult child = test_support::run_in_child([&] {
        std::ofstream(dir.path() / ".asoundrc") << c.asoundrc;
        setenv("HOME", dir.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("ALSA_CONFIG_PATH");
        const auto start = std::chrono::steady_clock::now();
        rt_beep(c.hz, c.ms);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        return std::to_string(
            std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    });
    ASSERT_EQ(child.exit_code, 0);
    ASSERT_FALSE(child.output.empty());
    const int64_t elapsed_ms = std::stoll(child.output);
    EXPECT_GE(elapsed_ms, c.ms);
    EXPECT_LT(elapsed_ms, c.ms + 3000); // loose: only that it does not hang
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealBeepTest,
    testing::Values(RealCase{"NoDevice", NO_CARD, 1000, 300},
                    // "null" takes the samples at once; the call must still last the tone.
                    RealCase{"NullDevice", "pcm.!default { type null }\n", 1000, 300},
                    RealCase{"SilentPause", NO_CARD, 0, 250},
                    RealCase{"OutOfRange", NO_CARD, 36, 250}),
    [](const testing::TestParamInfo<RealCase>& param) { return std::string(param.param.name); });

// A wake that comes while a tone plays is not the tone's: the caller's next wait still sees it.
TEST(RealBeepWakeTest, WakeDuringAToneReachesTheNextWait) {
    std::thread waker([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        rt_wake();
    });
    rt_beep(0, 200);
    waker.join();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rt_wait_until(rt_clock_microseconds() + 5'000'000), RtWaitEnd::woken);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

// The real clock in a child process with the process's tones sent to an output of the test's.
class RealBeepPlayerTest : public testing::Test {
protected:
    void SetUp() override { rt_use_real_clock(); }
};

// An output whose calls never return: a sound server that accepts the connection and then never
// answers. `entered` is set once the player is stuck in it.
class StuckOutput final : public sound::SoundOutput {
public:
    explicit StuckOutput(std::atomic<bool>& entered) : m_entered(entered) {}
    bool open(int32_t) override { return stick(); }
    bool write(std::span<const int16_t>) override { return stick(); }
    void close() override {}

private:
    bool stick() {
        std::unique_lock lock(m_mutex);
        m_entered = true;
        m_never.wait(lock, [] { return false; });
        return false;
    }
    std::atomic<bool>& m_entered;
    std::mutex m_mutex;
    std::condition_variable m_never;
};

// Each tone lasts its length while the player is stuck in the output, the first tone included.
TEST_F(RealBeepPlayerTest, TonesLastTheirLengthWhileTheSoundOutputIsStuck) {
    const std::vector<int32_t> lengths = {50, 50, 200, 300, 50};
    const test_support::ChildResult child = test_support::run_in_child([&] {
        static std::atomic<bool> entered{false};
        if (!sound::use_tone_output(std::make_unique<StuckOutput>(entered)))
            return std::string("output refused");
        std::string result;
        for (int32_t ms : lengths) {
            const auto start = std::chrono::steady_clock::now();
            rt_beep(1000, ms);
            const auto elapsed = std::chrono::steady_clock::now() - start;
            result += std::to_string(
                          std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()) +
                      " ";
        }
        return result + (entered ? "stuck" : "not stuck");
    });
    ASSERT_EQ(child.exit_code, 0);
    std::istringstream in(child.output);
    for (int32_t ms : lengths) {
        int64_t elapsed_us = 0;
        ASSERT_TRUE(in >> elapsed_us) << child.output;
        EXPECT_GE(elapsed_us, ms * 1000);
        EXPECT_LT(elapsed_us, ms * 1000 + 250'000); // loose: the machine may be loaded
    }
    std::string stuck;
    in >> stuck;
    EXPECT_EQ(stuck, "stuck");
}

// The process ends through exit() while the player is stuck in the sound output or holds the
// sound library's stream open: the end neither waits for the player nor trips the sanitizers,
// which would change the exit code.
TEST_F(RealBeepPlayerTest, ProcessEndsWhileThePlayerHoldsTheOutput) {
    for (const bool stuck : {true, false}) {
        test_support::TempFolder dir;
        std::ofstream(dir.path() / ".asoundrc") << "pcm.!default { type null }\n";
        const test_support::ChildResult child = test_support::run_in_child([&] {
            setenv("HOME", dir.path().c_str(), 1);
            unsetenv("XDG_CONFIG_HOME");
            unsetenv("ALSA_CONFIG_PATH");
            static std::atomic<bool> entered{false};
            if (stuck)
                sound::use_tone_output(std::make_unique<StuckOutput>(entered));
            rt_beep(1000, 50);
            rt_beep(440, 50);
            std::exit(3);
            return std::string();
        });
        EXPECT_EQ(child.exit_code, 3) << (stuck ? "stuck output" : "null device");
    }
}

// Through the sound library into a raw file: the device receives exactly the tone's samples.
// The file plugin writes out the stream's last buffer only when more comes or the stream
// closes, and the player keeps its stream open, so a shorter tone follows.
TEST_F(RealBeepPlayerTest, DeviceReceivesTheExactSamplesOfATone) {
    if (!sound::sound_supported())
        GTEST_SKIP() << "built without ALSA";
    test_support::TempFolder dir;
    const std::filesystem::path raw = dir.path() / "tone.raw";
    std::ofstream(dir.path() / ".asoundrc")
        << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << raw.string()
        << "\"\n  format \"raw\"\n}\n";
    const test_support::ChildResult child = test_support::run_in_child([&] {
        setenv("HOME", dir.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("ALSA_CONFIG_PATH");
        rt_beep(440, 100); // opens the stream, which may make this first tone late
        rt_beep(1000, 500);
        rt_beep(440, 100);
        return std::string("done");
    });
    ASSERT_EQ(child.exit_code, 0);
    ASSERT_EQ(child.output, "done");

    std::ifstream in(raw, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) // little-endian 16-bit
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    // The last 300 ms of the tone, sample for sample: a player that a loaded machine (a sanitizer
    // build running the suite in parallel) schedules late cuts the start of a tone short, by
    // design, and fades the rest in.
    const std::vector<int16_t> tone = sound::render_tone(1000, 500);
    const auto tail = tone.end() - sound::SAMPLE_RATE * 300 / 1000;
    EXPECT_NE(std::search(samples.begin(), samples.end(), tail, tone.end()), samples.end())
        << samples.size() << " samples received";
}

} // namespace
