// The default sound output: the sound library's "default" device, or none in a build without it.
#include "platform/sound/sound_output.h"

#if TALVENA_HAVE_ALSA
#include <alsa/asoundlib.h>
#include <cerrno>
#include <chrono>
#include <mutex>
#endif

namespace sound {

namespace {

#if TALVENA_HAVE_ALSA

// How far the device plays ahead of the writer, which is how late a tone can sound after it is
// written. Small enough that a tone starts soon after its call; large enough for a sound
// server's scheduling.
constexpr unsigned int LATENCY_US = 40000;
// A write that has made no progress for this long is a stream that has stopped playing: it
// fails, so that the player closes the stream and tries a new one at the next tone.
constexpr auto STALL_LIMIT = std::chrono::seconds(1);
// A wait for room in the stream looks at the stall limit this often.
constexpr int WAIT_MS = 100;
// Each write recovers from an underrun or a suspend this many times at most, so that a device
// that keeps failing ends the write instead of holding the player.
constexpr int RECOVERIES_PER_WRITE = 8;

// alsa-lib reports every failure on standard error as well (eight lines when there is no sound
// card); the failure also comes back as a value, which is what we act on.
void ignore_alsa_error(const char*, int, const char*, int, const char*, ...) {}

void silence_alsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(ignore_alsa_error); });
}

// The stream starts with the first samples written (by default it would wait for a full buffer,
// which a short tone never fills), and, where the device allows, what it has played is cleared
// to silence, so that a device that plays on after running dry replays nothing of an old tone.
bool set_software_params(snd_pcm_t* pcm) {
    snd_pcm_sw_params_t* params = nullptr;
    snd_pcm_sw_params_alloca(&params);
    if (snd_pcm_sw_params_current(pcm, params) < 0 ||
        snd_pcm_sw_params_set_start_threshold(pcm, params, 1) < 0)
        return false;
    snd_pcm_uframes_t boundary = 0;
    if (snd_pcm_sw_params_get_boundary(params, &boundary) >= 0 &&
        snd_pcm_sw_params_set_silence_threshold(pcm, params, 0) >= 0 &&
        snd_pcm_sw_params_set_silence_size(pcm, params, boundary) >= 0 &&
        snd_pcm_sw_params(pcm, params) >= 0)
        return true;
    snd_pcm_sw_params_current(pcm, params);
    return snd_pcm_sw_params_set_start_threshold(pcm, params, 1) >= 0 &&
           snd_pcm_sw_params(pcm, params) >= 0;
}

class AlsaOutput final : public SoundOutput {
public:
    ~AlsaOutput() override { close(); }

    bool open(int32_t sample_rate) override {
        close();
        if (sample_rate <= 0)
            return false;
        silence_alsa();
        // Non-blocking: a busy device fails at once instead of waiting, and a write waits in
        // snd_pcm_wait, where a stream that has stopped playing is noticed.
        if (snd_pcm_open(&m_pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
            m_pcm = nullptr;
            return false;
        }
        const bool ok =
            snd_pcm_set_params(m_pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                               static_cast<unsigned int>(sample_rate), 1, LATENCY_US) >= 0 &&
            set_software_params(m_pcm);
        if (!ok)
            close();
        return ok;
    }

    bool write(std::span<const int16_t> samples) override {
        if (m_pcm == nullptr)
            return false;
        using Clock = std::chrono::steady_clock;
        auto progress = Clock::now();
        int recoveries_left = RECOVERIES_PER_WRITE;
        while (!samples.empty()) {
            const snd_pcm_sframes_t written = snd_pcm_writei(m_pcm, samples.data(), samples.size());
            if (written > 0) {
                samples = samples.subspan(static_cast<size_t>(written));
                progress = Clock::now();
                continue;
            }
            int error = static_cast<int>(written);
            if (written == 0 || written == -EAGAIN) {
                if (Clock::now() - progress > STALL_LIMIT)
                    return false;
                error = snd_pcm_wait(m_pcm, WAIT_MS);
                if (error >= 0)
                    continue;
            }
            // Running dry between tones is the usual case here: the stream is prepared again.
            if (recoveries_left-- == 0 || snd_pcm_recover(m_pcm, error, 1) < 0)
                return false;
        }
        return true;
    }

    void close() override {
        if (m_pcm == nullptr)
            return;
        snd_pcm_close(m_pcm);
        m_pcm = nullptr;
    }

private:
    snd_pcm_t* m_pcm = nullptr;
};

#else

class NoOutput final : public SoundOutput {
public:
    bool open(int32_t) override { return false; }
    bool write(std::span<const int16_t>) override { return false; }
    void close() override {}
};

#endif

} // namespace

std::unique_ptr<SoundOutput> make_default_output() {
#if TALVENA_HAVE_ALSA
    return std::make_unique<AlsaOutput>();
#else
    return std::make_unique<NoOutput>();
#endif
}

bool sound_supported() {
#if TALVENA_HAVE_ALSA
    return true;
#else
    return false;
#endif
}

} // namespace sound
