// Tones: samples rendered with soft edges, the player that plays them on its own thread, and what
// the sound device receives.
#include "platform/sound/sound_output.h"
#include "platform/sound/tone_player.h"
#include "platform/sound/tone_samples.h"
#include "tests/runtime/child_process.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
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

TEST(RenderToneTest, FadeInGivesTheRestOfAToneASoftStart) {
    const std::vector<int16_t> whole = sound::render_tone(1000, 100);
    std::vector<int16_t> rest(whole.begin() + 30 * SAMPLES_PER_MS, whole.end());
    const std::vector<int16_t> cut = rest;
    sound::fade_in(rest);
    EXPECT_EQ(rest.front(), 0);
    const size_t fade = sound::FADE_MS * SAMPLES_PER_MS;
    for (size_t ms = 0; ms + 1 < sound::FADE_MS; ++ms)
        EXPECT_LT(peak(rest, ms * SAMPLES_PER_MS, (ms + 1) * SAMPLES_PER_MS),
                  peak(rest, (ms + 1) * SAMPLES_PER_MS, (ms + 2) * SAMPLES_PER_MS))
            << "fade-in at " << ms << " ms";
    EXPECT_TRUE(std::equal(rest.begin() + fade, rest.end(), cut.begin() + fade));
}

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// What a fake stream was asked to do, shared between the test and the output the player owns.
// Its calls wait while it is blocked, as a sound server that does not answer would, and the
// next calls can be made to fail.
struct FakeStream {
    std::mutex mutex;
    std::condition_variable changed;
    bool blocked = false;
    int calls_entered = 0;
    int failing_opens = 0;
    int failing_writes = 0;
    std::vector<std::string> calls;            // "open", "open failed", "write", ...
    std::vector<std::vector<int16_t>> written; // the samples of each successful write

    // Waits, for a few seconds at most, until `done` holds; the result of `done` then.
    template <typename Condition>
    bool wait_for(Condition done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), [&] { return done(); });
    }
    void set_blocked(bool value) {
        {
            std::lock_guard lock(mutex);
            blocked = value;
        }
        changed.notify_all();
    }
};

class FakeOutput final : public sound::SoundOutput {
public:
    explicit FakeOutput(std::shared_ptr<FakeStream> stream) : m_stream(std::move(stream)) {}

    bool open(int32_t) override {
        return call("open", [&] { return !take(m_stream->failing_opens); });
    }
    bool write(std::span<const int16_t> samples) override {
        return call("write", [&] {
            if (take(m_stream->failing_writes))
                return false;
            m_stream->written.emplace_back(samples.begin(), samples.end());
            return true;
        });
    }
    void close() override {
        std::lock_guard lock(m_stream->mutex);
        m_stream->calls.push_back("close");
        m_stream->changed.notify_all();
    }

private:
    static bool take(int& failures) { return failures > 0 ? (--failures, true) : false; }
    // Runs `succeeds` once the stream is no longer blocked and logs the call as it ended.
    template <typename Body>
    bool call(const char* name, Body succeeds) {
        std::unique_lock lock(m_stream->mutex);
        ++m_stream->calls_entered;
        m_stream->changed.notify_all();
        m_stream->changed.wait(lock, [&] { return !m_stream->blocked; });
        const bool ok = succeeds();
        m_stream->calls.push_back(ok ? name : std::string(name) + " failed");
        m_stream->changed.notify_all();
        return ok;
    }
    std::shared_ptr<FakeStream> m_stream;
};

// The tone in what the player wrote: the samples before the silence that follows every tone.
std::vector<int16_t> tone_in(const std::vector<int16_t>& written) {
    const size_t silence = size_t{sound::TonePlayer::SILENCE_AFTER_MS} * SAMPLES_PER_MS;
    if (written.size() < silence) {
        ADD_FAILURE() << "a write of " << written.size() << " samples lacks the silence after";
        return written;
    }
    const auto tone_end = written.end() - static_cast<std::ptrdiff_t>(silence);
    EXPECT_EQ(peak(written, written.size() - silence, written.size()), 0);
    return {written.begin(), tone_end};
}

sound::Tone tone_from_now(double hz, int32_t ms, Clock::duration offset = {}) {
    return {hz, ms, Clock::now() + offset};
}

// While the output is stuck (here in opening, as with a sound server that never links the
// stream) handing tones over still returns at once, and once the output answers again the tones
// whose time has passed meanwhile are not played: the next tone is the first heard.
TEST(TonePlayerTest, TonesWhoseTimePassedWhileTheOutputWasStuckAreNotPlayed) {
    auto stream = std::make_shared<FakeStream>();
    stream->blocked = true;
    sound::TonePlayer player(std::make_unique<FakeOutput>(stream));
    player.play(tone_from_now(1000, 50));
    ASSERT_TRUE(stream->wait_for([&] { return stream->calls_entered == 1; }));
    for (int i = 0; i < 20; ++i)
        player.play(tone_from_now(1000, 50));
    std::this_thread::sleep_for(milliseconds(50 + 100));
    stream->set_blocked(false);

    player.play(tone_from_now(440, 100));
    ASSERT_TRUE(stream->wait_for([&] { return stream->written.size() == 1; }));
    std::this_thread::sleep_for(milliseconds(100));
    std::lock_guard lock(stream->mutex);
    EXPECT_EQ(stream->calls, (std::vector<std::string>{"open", "write"}));
    ASSERT_EQ(stream->written.size(), 1u);
    const std::vector<int16_t> heard = tone_in(stream->written[0]);
    EXPECT_LE(heard.size(), 100u * SAMPLES_PER_MS);
    EXPECT_GE(heard.size(), 50u * SAMPLES_PER_MS);
    const double seconds = static_cast<double>(heard.size()) / sound::SAMPLE_RATE;
    EXPECT_NEAR(zero_crossings(heard) / 2.0 / seconds, 440.0, 25.0);
}

// A tone the player gets to late sounds only for what is left of its time: the end of the tone,
// not its beginning moved later, starting softly. One whose time has passed is not played.
TEST(TonePlayerTest, LateToneKeepsOnlyTheRestOfItsTime) {
    auto stream = std::make_shared<FakeStream>();
    sound::TonePlayer player(std::make_unique<FakeOutput>(stream));
    player.play(tone_from_now(440, 100, -std::chrono::seconds(1)));
    ASSERT_TRUE(stream->wait_for([&] { return stream->calls.size() == 1; }));
    player.play(tone_from_now(1000, 400, -milliseconds(200)));
    ASSERT_TRUE(stream->wait_for([&] { return stream->written.size() == 1; }));

    std::lock_guard lock(stream->mutex);
    EXPECT_EQ(stream->calls, (std::vector<std::string>{"open", "write"}));
    const std::vector<int16_t> whole = sound::render_tone(1000, 400);
    const std::vector<int16_t> heard = tone_in(stream->written[0]);
    ASSERT_LE(heard.size(), 200u * SAMPLES_PER_MS);
    ASSERT_GE(heard.size(), 100u * SAMPLES_PER_MS);
    EXPECT_EQ(heard.front(), 0);
    const size_t fade = sound::FADE_MS * SAMPLES_PER_MS;
    EXPECT_TRUE(std::equal(heard.begin() + fade, heard.end(), whole.end() - heard.size() + fade));
}

// A failure closes the stream; the next tone opens a new one. A stream that works stays open
// from one tone to the next.
TEST(TonePlayerTest, StreamIsKeptOpenAndOpenedAgainAfterAFailure) {
    auto stream = std::make_shared<FakeStream>();
    stream->failing_opens = 1;
    sound::TonePlayer player(std::make_unique<FakeOutput>(stream));
    const auto play_and_wait = [&](size_t calls_after) {
        player.play(tone_from_now(1000, 30));
        return stream->wait_for([&] { return stream->calls.size() == calls_after; });
    };
    ASSERT_TRUE(play_and_wait(1));
    ASSERT_TRUE(play_and_wait(3));
    ASSERT_TRUE(play_and_wait(4));
    {
        std::lock_guard lock(stream->mutex);
        stream->failing_writes = 1;
    }
    ASSERT_TRUE(play_and_wait(6));
    ASSERT_TRUE(play_and_wait(8));
    std::lock_guard lock(stream->mutex);
    EXPECT_EQ(stream->calls, (std::vector<std::string>{"open failed", "open", "write", "write",
                                                       "write failed", "close", "open", "write"}));
    for (const std::vector<int16_t>& written : stream->written)
        EXPECT_EQ(tone_in(written), sound::render_tone(1000, 30));
}

// A held stream opens before the first tone, so that the tone finds it open and is written whole,
// and stays open however long it is held; let go, it closes once it has gone without a tone for
// the time given, and the next tone opens it again.
TEST(TonePlayerTest, HeldStreamOpensAheadAndClosesWhenIdleAfterRelease) {
    auto stream = std::make_shared<FakeStream>();
    constexpr auto CLOSE_AFTER = milliseconds(100);
    sound::TonePlayer player(std::make_unique<FakeOutput>(stream), CLOSE_AFTER);
    player.hold_open(true);
    ASSERT_TRUE(stream->wait_for([&] { return stream->calls.size() == 1; }));
    player.play(tone_from_now(1000, 30));
    ASSERT_TRUE(stream->wait_for([&] { return stream->written.size() == 1; }));
    std::this_thread::sleep_for(CLOSE_AFTER * 3);
    {
        std::lock_guard lock(stream->mutex);
        EXPECT_EQ(stream->calls, (std::vector<std::string>{"open", "write"})) << "held: open";
        EXPECT_EQ(tone_in(stream->written[0]), sound::render_tone(1000, 30)) << "whole";
    }
    const auto let_go = Clock::now();
    player.hold_open(false);
    ASSERT_TRUE(stream->wait_for([&] { return stream->calls.size() == 3; }));
    EXPECT_GE(Clock::now() - let_go, CLOSE_AFTER);
    player.play(tone_from_now(440, 30));
    ASSERT_TRUE(stream->wait_for([&] { return stream->written.size() == 2; }));
    std::lock_guard lock(stream->mutex);
    EXPECT_EQ(stream->calls,
              (std::vector<std::string>{"open", "write", "close", "open", "write"}));
}

// A device that cannot be opened is tried once per hold, not again and again while held.
TEST(TonePlayerTest, HeldStreamThatFailsToOpenIsNotRetriedInALoop) {
    auto stream = std::make_shared<FakeStream>();
    stream->failing_opens = 100;
    sound::TonePlayer player(std::make_unique<FakeOutput>(stream));
    player.hold_open(true);
    ASSERT_TRUE(stream->wait_for([&] { return stream->calls.size() == 1; }));
    std::this_thread::sleep_for(milliseconds(50));
    player.hold_open(false);
    player.hold_open(true);
    ASSERT_TRUE(stream->wait_for([&] { return stream->calls.size() == 2; }));
    std::this_thread::sleep_for(milliseconds(50));
    std::lock_guard lock(stream->mutex);
    EXPECT_EQ(stream->calls, (std::vector<std::string>{"open failed", "open failed"}));
}

// Both threads of the program may hand tones over at once.
TEST(TonePlayerTest, TwoThreadsHandOverTonesTogether) {
    auto stream = std::make_shared<FakeStream>();
    {
        sound::TonePlayer player(std::make_unique<FakeOutput>(stream));
        const auto beeper = [&](double hz) {
            for (int i = 0; i < 50; ++i)
                player.play(tone_from_now(hz, 2));
        };
        std::thread other(beeper, 440);
        beeper(1000);
        other.join();
        ASSERT_TRUE(stream->wait_for([&] { return !stream->written.empty(); }));
    }
    for (const std::vector<int16_t>& written : stream->written)
        EXPECT_EQ(tone_in(written).size(), 2u * SAMPLES_PER_MS);
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

std::vector<int16_t> read_raw_samples(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) // little-endian 16-bit
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    return samples;
}

// "default" routed into a raw file: the exact samples the device would have played. One stream
// takes a tone, runs dry, and takes the next.
TEST_F(AlsaTest, DefaultOutputReceivesTonesWrittenOneAfterAnother) {
    const std::filesystem::path raw = m_dir.path() / "tone.raw";
    std::ofstream(m_dir.path() / ".asoundrc")
        << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"" << raw.string()
        << "\"\n  format \"raw\"\n}\n";
    const test_support::ChildResult child = test_support::run_in_child([&] {
        setenv("HOME", m_dir.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("ALSA_CONFIG_PATH");
        const std::unique_ptr<sound::SoundOutput> output = sound::make_default_output();
        if (!output->open(sound::SAMPLE_RATE))
            return std::string("open failed");
        const bool first = output->write(sound::render_tone(1000, 500));
        std::this_thread::sleep_for(milliseconds(100));
        const bool second = output->write(sound::render_tone(440, 100));
        output->close(); // the file plugin writes out what it still holds
        return std::string(first && second ? "played" : "failed");
    });
    ASSERT_EQ(child.exit_code, 0);
    ASSERT_EQ(child.output, "played");

    const std::vector<int16_t> samples = read_raw_samples(raw);
    ASSERT_EQ(samples.size(), 600u * SAMPLES_PER_MS);
    const std::vector<int16_t> first(samples.begin(), samples.begin() + 500 * SAMPLES_PER_MS);
    expect_500ms_of_1000hz(first);
    EXPECT_EQ(first, sound::render_tone(1000, 500));
    EXPECT_TRUE(std::equal(samples.begin() + 500 * SAMPLES_PER_MS, samples.end(),
                           sound::render_tone(440, 100).begin()));
}

// Without a device opening fails, and the sound library, which reports such failures on standard
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
        return std::string(sound::make_default_output()->open(sound::SAMPLE_RATE) ? "opened"
                                                                                  : "failed");
    });
    ASSERT_EQ(child.exit_code, 0);
    EXPECT_EQ(child.output, "failed");
    EXPECT_EQ(std::filesystem::file_size(errors), 0u);
}

} // namespace
