// The tone player: a thread of its own that plays tones over one open stream, so that nobody who
// asks for a tone waits for the sound device.
#pragma once

#include "platform/sound/sound_output.h"
#include "platform/sound/tone_samples.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace sound {

// A tone as asked for: a sine (see render_tone) meant to sound from `start` for its duration.
struct Tone {
    double frequency_hz = 0.0;
    int32_t duration_ms = 0;
    std::chrono::steady_clock::time_point start;
};

// Plays tones on its own thread through one SoundOutput, opened at the first tone or ahead of
// it (hold_open), and opened again at the next tone after it has failed. Opening a stream takes
// tens of milliseconds, which would cut the first tone short: whoever knows that tones are coming
// holds the stream open. A stream nobody holds is closed once it has gone `close_after` without
// a tone, so that other programs can play on a device that cannot mix. Handing a tone over takes a moment
// whatever the output does (a short critical section, never the output's calls).
//
// A tone sounds within its own time or not at all. The player takes one tone at a time; a tone
// handed over while another still waits to be taken replaces it. When the player gets to a tone
// (having opened the stream if need be) more than LATE_TOLERANCE after its start, because the
// output was slow, blocked or busy with an earlier tone, it plays only what is left of the tone's
// time, with a fresh fade-in, and nothing when less than MIN_REMAINDER is left. So tones never
// pile up behind a stuck output and never sound long after they were asked for. Between tones
// the stream runs dry, after SILENCE_AFTER_MS of silence written with each tone.
//
// Thread-safe. The destructor waits for the output call in progress, if any, to return; the
// process's own player (play_tone) is never destroyed, so the end of the process never waits for
// the sound device.
class TonePlayer {
public:
    // Lateness that a tone absorbs whole: about the output's own latency.
    static constexpr auto LATE_TOLERANCE = std::chrono::milliseconds(20);
    // What is left of a late tone is played only when it lasts at least this long.
    static constexpr auto MIN_REMAINDER = std::chrono::milliseconds(10);
    // Each tone is written followed by this much silence. A sound server may hold back the last
    // few milliseconds written to a stream that then runs dry, and play them only before the
    // next tone: the tone would end with a click and the next start with a piece of the old one.
    // With silence after it, what is held back is silence.
    static constexpr int32_t SILENCE_AFTER_MS = 40;

    static constexpr auto CLOSE_AFTER = std::chrono::seconds(10);

    explicit TonePlayer(std::unique_ptr<SoundOutput> output,
                        std::chrono::steady_clock::duration close_after = CLOSE_AFTER);
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    // Hands `tone` to the player's thread and returns at once.
    void play(const Tone& tone);

    // One more holder wants the stream open from now on (it is opened at once, on the player's
    // thread, if it is not open), or one holder lets it go: once nobody holds it, it closes
    // `close_after` after the end of the last tone or after being let go, whichever is later.
    // Holds nest. Returns at once.
    void hold_open(bool held);

private:
    enum class Work : uint8_t { tone, open, close, end };

    void run();
    Work next_work(std::unique_lock<std::mutex>& lock, Tone& tone);
    void play_now(const Tone& tone);

    std::unique_ptr<SoundOutput> m_output; // the player's thread alone uses it
    std::chrono::steady_clock::duration m_close_after;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;           // under m_mutex; the player's thread alone changes it
    std::optional<Tone> m_waiting; // under m_mutex
    bool m_ending = false;         // under m_mutex
    int32_t m_holds = 0;           // under m_mutex
    // Under m_mutex: an open failed while held (tried again at the next hold or tone, not in a
    // loop), and the moment from which an unheld stream counts its idle time.
    bool m_hold_failed = false;
    std::chrono::steady_clock::time_point m_idle_from;
    std::thread m_thread;          // last: it starts once the rest is ready
};

// Plays a tone of `frequency_hz` lasting `duration_ms` from now on the process's tone player,
// which is started, on the default output, at the first call; returns at once. Whether the tone
// is heard depends on the output: with no device, or a failing one, nothing is. Thread-safe.
void play_tone(double frequency_hz, int32_t duration_ms);

// Holds the process's tone stream open (see TonePlayer::hold_open), starting the player if need
// be. Thread-safe.
void hold_tone_stream(bool held);

// Sends the process's tones to `output` instead of the default device. Only before the first
// play_tone of the process (false, and nothing changes, after it): for tests and measurements.
// Thread-safe.
bool use_tone_output(std::unique_ptr<SoundOutput> output);

} // namespace sound
