// Tones: the trace event, exact virtual time, and a pause of the tone's length without sound.
#include "runtime/beep.h"
#include "runtime/clock.h"
#include "runtime/trace.h"
#include "tests/runtime/child_process.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
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

TEST_F(VirtualBeepTest, TonesAdvanceTheClockByTheirDurationAndAreTraced) {
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

} // namespace
