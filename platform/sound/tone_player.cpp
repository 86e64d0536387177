// The tone player: handing tones over, and the thread that plays them over one stream.
#include "platform/sound/tone_player.h"

#include <algorithm>
#include <utility>

namespace sound {

namespace {

using Clock = std::chrono::steady_clock;

size_t samples_in(Clock::duration duration) {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
    return us <= 0 ? 0 : static_cast<size_t>(us * SAMPLE_RATE / 1'000'000);
}

} // namespace

TonePlayer::TonePlayer(std::unique_ptr<SoundOutput> output, Clock::duration close_after)
    : m_output(std::move(output)), m_close_after(close_after), m_thread([this] { run(); }) {}

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

void TonePlayer::hold_open(bool held) {
    {
        std::lock_guard lock(m_mutex);
        if (held) {
            if (m_holds++ == 0)
                m_hold_failed = false;
        } else if (m_holds > 0 && --m_holds == 0) {
            m_idle_from = std::max(m_idle_from, Clock::now());
        }
    }
    m_changed.notify_one();
}

// The player's thread sleeps (a plain condition variable: this layer lies below the run-time and
// its wait) until a tone is handed over, a holder wants the stream open, or an unheld stream
// has been idle long enough; an output call never holds the lock.
void TonePlayer::run() {
    for (;;) {
        Tone tone;
        Work work = Work::end;
        {
            std::unique_lock lock(m_mutex);
            work = next_work(lock, tone);
        }
        switch (work) {
        case Work::tone:
            play_now(tone);
            break;
        case Work::open: {
            const bool opened = m_output->open(SAMPLE_RATE);
            std::lock_guard lock(m_mutex);
            m_open = opened;
            m_hold_failed = !opened;
            break;
        }
        case Work::close: {
            m_output->close();
            std::lock_guard lock(m_mutex);
            m_open = false;
            break;
        }
        case Work::end:
            return;
        }
    }
}

TonePlayer::Work TonePlayer::next_work(std::unique_lock<std::mutex>& lock, Tone& tone) {
    for (;;) {
        if (m_ending)
            return Work::end;
        if (m_waiting) {
            tone = *m_waiting;
            m_waiting.reset();
            return Work::tone;
        }
        if (m_holds > 0 && !m_open && !m_hold_failed)
            return Work::open;
        if (m_open && m_holds == 0) {
            const Clock::time_point due = m_idle_from + m_close_after;
            if (Clock::now() >= due)
                return Work::close;
            m_changed.wait_until(lock, due);
            continue;
        }
        m_changed.wait(lock);
    }
}

void TonePlayer::play_now(const Tone& tone) {
    bool open = false;
    {
        std::lock_guard lock(m_mutex);
        open = m_open;
        m_idle_from = std::max(m_idle_from, tone.start + std::chrono::milliseconds(tone.duration_ms));
    }
    if (!open) {
        open = m_output->open(SAMPLE_RATE);
        std::lock_guard lock(m_mutex);
        m_open = open;
    }
    if (!open)
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
        std::lock_guard lock(m_mutex);
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

void hold_tone_stream(bool held) {
    started_player().hold_open(held);
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
