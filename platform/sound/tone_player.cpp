// The tone player: handing tones over, and the thread that plays them over one stream.
#include "platform/sound/tone_player.h"

#include <utility>

namespace sound {

namespace {

using Clock = std::chrono::steady_clock;

size_t samples_in(Clock::duration duration) {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
    return us <= 0 ? 0 : static_cast<size_t>(us * SAMPLE_RATE / 1'000'000);
}

} // namespace

TonePlayer::TonePlayer(std::unique_ptr<SoundOutput> output)
    : m_output(std::move(output)), m_thread([this] { run(); }) {}

TonePlayer::~TonePlayer() {
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_one();
    m_thread.join();
    if (m_open)
        m_output->close();
}

void TonePlayer::play(const Tone& tone) {
    {
        std::lock_guard lock(m_mutex);
        m_waiting = tone;
    }
    m_changed.notify_one();
}

// The player's thread sleeps until a tone is handed over (a plain condition variable: this layer
// lies below the run-time and its wait) and plays it; an output call never holds the lock.
void TonePlayer::run() {
    for (;;) {
        Tone tone;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_waiting.has_value() || m_ending; });
            if (m_ending)
                return;
            tone = *m_waiting;
            m_waiting.reset();
        }
        play_now(tone);
    }
}

void TonePlayer::play_now(const Tone& tone) {
    if (!m_open)
        m_open = m_output->open(SAMPLE_RATE);
    if (!m_open)
        return;
    std::vector<int16_t> samples = render_tone(tone.frequency_hz, tone.duration_ms);
    // Lateness is measured after opening, which may itself have taken long.
    const Clock::duration late = Clock::now() - tone.start;
    if (late > LATE_TOLERANCE) {
        const size_t passed = samples_in(late);
        if (passed + samples_in(MIN_REMAINDER) > samples.size())
            return;
        samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(passed));
        fade_in(samples);
    }
    samples.resize(samples.size() + static_cast<size_t>(SAMPLE_RATE / 1000 * SILENCE_AFTER_MS), 0);
    if (!m_output->write(samples)) {
        m_output->close();
        m_open = false;
    }
}

namespace {

// The process's player: created at the first tone and never destroyed, so that its thread, which
// may be stuck in the sound library, never holds up the end of the process.
struct ProcessPlayer {
    std::mutex mutex;
    std::unique_ptr<SoundOutput> output; // until the player exists: where it is to play
    TonePlayer* player = nullptr;        // set once, under the mutex
};

ProcessPlayer& process_player() {
    static ProcessPlayer* state = new ProcessPlayer;
    return *state;
}

TonePlayer& started_player() {
    ProcessPlayer& state = process_player();
    std::lock_guard lock(state.mutex);
    if (state.player == nullptr)
        state.player =
            new TonePlayer(state.output ? std::move(state.output) : make_default_output());
    return *state.player;
}

} // namespace

void play_tone(double frequency_hz, int32_t duration_ms) {
    const Tone tone{frequency_hz, duration_ms, Clock::now()};
    started_player().play(tone);
}

bool use_tone_output(std::unique_ptr<SoundOutput> output) {
    ProcessPlayer& state = process_player();
    std::lock_guard lock(state.mutex);
    if (state.player != nullptr)
        return false;
    state.output = std::move(output);
    return true;
}

} // namespace sound
