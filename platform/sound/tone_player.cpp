// Tones through the sound device: rendering the sine and playing it through ALSA.
#include "platform/sound/tone_player.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#if TALVENA_HAVE_ALSA
#include <alsa/asoundlib.h>
#include <mutex>
#endif

namespace sound {

namespace {

#if TALVENA_HAVE_ALSA

// Leaves room for a sound server's scheduling without delaying the start of a tone noticeably.
constexpr unsigned int LATENCY_US = 100000;

// alsa-lib reports every failure on standard error as well (eight lines when there is no sound
// card); the failure also comes back as a value, which is what we act on.
void ignore_alsa_error(const char*, int, const char*, int, const char*, ...) {}

void silence_alsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(ignore_alsa_error); });
}

// Writes all frames. An underrun or a suspend is recovered from, a few times at most, so that a
// device that keeps failing ends the tone instead of holding the caller.
bool write_all(snd_pcm_t* pcm, const int16_t* samples, size_t count) {
    int recoveries_left = 8;
    while (count > 0) {
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm, samples, count);
        if (written <= 0) {
            if (written == 0 || recoveries_left-- == 0 ||
                snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0)
                return false;
            continue;
        }
        samples += written;
        count -= static_cast<size_t>(written);
    }
    return true;
}

#endif

} // namespace

std::vector<int16_t> render_tone(double frequency_hz, int32_t duration_ms, int32_t sample_rate) {
    if (duration_ms <= 0 || sample_rate <= 0)
        return {};
    const auto count =
        static_cast<size_t>(std::llround(static_cast<double>(duration_ms) * sample_rate / 1000.0));
    std::vector<int16_t> samples(count, 0);
    // A frequency at or above half the sample rate cannot be represented: its samples would
    // sound at a lower, wrong pitch. Such tones are inaudible anyway, so they stay silent.
    if (!(frequency_hz > 0.0 && frequency_hz < sample_rate / 2.0))
        return samples;

    // Raised-cosine edges: the gain at distance d samples from the nearer end is
    // (1 - cos(pi * d / fade)) / 2, which is 0 at the end itself and reaches 1 at d = fade with a
    // smooth slope at both points.
    const size_t fade = std::min(static_cast<size_t>(sample_rate) * FADE_MS / 1000, count / 2);
    const double step = 2.0 * std::numbers::pi * frequency_hz / sample_rate;
    for (size_t i = 0; i < count; ++i) {
        const size_t edge = std::min(i, count - 1 - i);
        double gain = 1.0;
        if (edge < fade)
            gain = 0.5 * (1.0 - std::cos(std::numbers::pi * static_cast<double>(edge) /
                                         static_cast<double>(fade)));
        const double value = AMPLITUDE * gain * std::sin(step * static_cast<double>(i));
        samples[i] = static_cast<int16_t>(std::lround(value));
    }
    return samples;
}

bool sound_supported() {
#if TALVENA_HAVE_ALSA
    return true;
#else
    return false;
#endif
}

bool play_samples(const std::vector<int16_t>& samples, int32_t sample_rate) {
#if TALVENA_HAVE_ALSA
    if (sample_rate <= 0)
        return false;
    silence_alsa();
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return false;
    bool ok = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                 static_cast<unsigned int>(sample_rate), 1, LATENCY_US) >= 0;
    ok = ok && write_all(pcm, samples.data(), samples.size());
    // Draining returns when the last sample has been played, which is when the tone has ended.
    ok = ok && snd_pcm_drain(pcm) >= 0;
    snd_pcm_close(pcm);
    return ok;
#else
    (void)samples;
    (void)sample_rate;
    return false;
#endif
}

bool play_tone(double frequency_hz, int32_t duration_ms) {
    return play_samples(render_tone(frequency_hz, duration_ms), SAMPLE_RATE);
}

} // namespace sound
