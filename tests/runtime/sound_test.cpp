// Tone samples: length, pitch and soft edges, as rendered and as the sound device receives them.
#include "platform/sound/tone_player.h"
#include "tests/runtime/child_process.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace {

constexpr int32_t SAMPLES_PER_MS = sound::SAMPLE_RATE / 1000;

int32_t peak(const std::vector<int16_t>& samples, size_t from, size_t to) {
    int32_t result = 0;
    for (size_t i = from; i < to && i < samples.size(); ++i)
        result = std::max(result, std::abs(int32_t{samples[i]}));
    return result;
}

// Sign changes, counting a run of zeros as no change: a sine of f Hz has 2 f per second.
int32_t zero_crossings(const std::vector<int16_t>& samples) {
    int32_t count = 0;
    int previous = 0;
    for (int16_t sample : samples) {
        const int sign = (sample > 0) - (sample < 0);
        if (sign != 0 && previous != 0 && sign != previous)
            ++count;
        if (sign != 0)
            previous = sign;
    }
    return count;
}

// A 500 ms tone of 1000 Hz: its length, its pitch, and fades that start and end at 0, rise
// steadily over 5 ms and leave the middle at full amplitude.
void expect_500ms_of_1000hz(const std::vector<int16_t>& samples) {
    ASSERT_EQ(samples.size(), 500u * SAMPLES_PER_MS);
    const double hz = zero_crossings(samples) / 2.0 / 0.5;
    EXPECT_NEAR(hz, 1000.0, 5.0);
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
    const size_t n = samples.size();
    const int32_t middle = peak(samples, 100 * SAMPLES_PER_MS, 400 * SAMPLES_PER_MS);
    EXPECT_GE(middle, sound::AMPLITUDE * 99 / 100);
    EXPECT_LE(middle, sound::AMPLITUDE);
    // Within the fades each millisecond is louder (or quieter) than the one before.
    for (size_t ms = 0; ms + 1 < sound::FADE_MS; ++ms) {
        EXPECT_LT(peak(samples, ms * SAMPLES_PER_MS, (ms + 1) * SAMPLES_PER_MS),
                  peak(samples, (ms + 1) * SAMPLES_PER_MS, (ms + 2) * SAMPLES_PER_MS))
            << "fade-in at " << ms << " ms";
        EXPECT_LT(peak(samples, n - (ms + 1) * SAMPLES_PER_MS, n - ms * SAMPLES_PER_MS),
                  peak(samples, n - (ms + 2) * SAMPLES_PER_MS, n - (ms + 1) * SAMPLES_PER_MS))
            << "fade-out at " << ms << " ms";
    }
    EXPECT_LT(peak(samples, 0, SAMPLES_PER_MS), middle / 4);
    EXPECT_LT(peak(samples, n - SAMPLES_PER_MS, n), middle / 4);
}

TEST(RenderToneTest, SineOfTheRightLengthAndPitchWithSoftEdges) {
    expect_500ms_of_1000hz(sound::render_tone(1000, 500));
}

TEST(RenderToneTest, PitchFollowsTheFrequency) {
    for (int32_t hz : {37, 440, 2500, 15000}) {
        const std::vector<int16_t> samples = sound::render_tone(hz, 1000);
        EXPECT_NEAR(zero_crossings(samples) / 2.0, hz, 2.0 + hz * 0.002) << hz;
    }
}

TEST(RenderToneTest, ToneShorterThanTwoFadesStillStartsAndEndsAtZero) {
    const std::vector<int16_t> samples = sound::render_tone(1000, 4);
    ASSERT_EQ(samples.size(), 4u * SAMPLES_PER_MS);
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
    EXPECT_GT(peak(samples, 0, samples.size()), 0);
}

TEST(RenderToneTest, SilenceOrNothing) {
    for (double hz : {0.0, -440.0, 24000.0, 32767.0}) {
        const std::vector<int16_t> samples = sound::render_tone(hz, 100);
        EXPECT_EQ(samples.size(), 100u * SAMPLES_PER_MS) << hz;
        EXPECT_EQ(peak(samples, 0, samples.size()), 0) << hz;
    }
    EXPECT_TRUE(sound::render_tone(1000, 0).empty());
    EXPECT_TRUE(sound::render_tone(1000, -20).empty());
}

// The sound library keeps its configuration for the life of the process, so each case sets it
// up in a child process.
class AlsaTest : public testing::Test {
protected:
    void SetUp() override {
        if (!sound::sound_supported())
            GTEST_SKIP() << "built without ALSA";
    }
    test_support::TempFolder m_dir;
};

// "default" routed into a raw file: the exact samples the device would have played.
TEST_F(AlsaTest, DefaultDeviceReceivesTheTone) {
    const std::filesystem::path raw = m_dir.path() / "tone.raw";
    std::ofstream(m_dir.path() / ".asoundrc")
        << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << raw.string()
        << "\"\n  format \"raw\"\n}\n";
    const test_support::ChildResult child = test_support::run_in_child([&] {
        setenv("HOME", m_dir.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("ALSA_CONFIG_PATH");
        return std::string(sound::play_tone(1000, 500) ? "played" : "failed");
    });
    ASSERT_EQ(child.exit_code, 0);
    ASSERT_EQ(child.output, "played");

    std::ifstream in(raw, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size() % 2, 0u);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) // little-endian 16-bit
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    expect_500ms_of_1000hz(samples);
    EXPECT_EQ(samples, sound::render_tone(1000, 500));
}

// Without a device playing fails, and the sound library, which reports such failures on standard
// error by default, says nothing there.
TEST_F(AlsaTest, NoDeviceFailsQuietly) {
    const std::filesystem::path errors = m_dir.path() / "stderr.txt";
    // The default device of a card that does not exist: what a machine without sound hardware has.
    std::ofstream(m_dir.path() / ".asoundrc") << "defaults.pcm.card 99\ndefaults.ctl.card 99\n";
    const test_support::ChildResult child = test_support::run_in_child([&] {
        setenv("HOME", m_dir.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("ALSA_CONFIG_PATH");
        const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, 2);
        close(fd);
        return std::string(sound::play_tone(1000, 100) ? "played" : "failed");
    });
    ASSERT_EQ(child.exit_code, 0);
    EXPECT_EQ(child.output, "failed");
    EXPECT_EQ(std::filesystem::file_size(errors), 0u);
}

} // namespace
