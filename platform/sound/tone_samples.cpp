// Tone samples: rendering the sine and its raised-cosine edges.
#include "platform/sound/tone_samples.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sound {

namespace {

// Raised-cosine edges: the gain at distance d samples from the nearer end is
// (1 - cos(pi * d / fade)) / 2, which is 0 at the end itself and reaches 1 at d = fade with a
// smooth slope at both points.
double edge_gain(size_t distance, size_t fade) {
    if (distance >= fade)
        return 1.0;
    return 0.5 * (1.0 - std::cos(std::numbers::pi * static_cast<double>(distance) /
                                 static_cast<double>(fade)));
}

size_t fade_length(size_t count, int32_t sample_rate) {
    return std::min(static_cast<size_t>(sample_rate) * FADE_MS / 1000, count / 2);
}

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

    const size_t fade = fade_length(count, sample_rate);
    const double step = 2.0 * std::numbers::pi * frequency_hz / sample_rate;
    for (size_t i = 0; i < count; ++i) {
        const double gain = edge_gain(std::min(i, count - 1 - i), fade);
        const double value = AMPLITUDE * gain * std::sin(step * static_cast<double>(i));
        samples[i] = static_cast<int16_t>(std::lround(value));
    }
    return samples;
}

void fade_in(std::span<int16_t> samples, int32_t sample_rate) {
    if (sample_rate <= 0)
        return;
    const size_t fade = fade_length(samples.size(), sample_rate);
    for (size_t i = 0; i < fade; ++i)
        samples[i] = static_cast<int16_t>(std::lround(samples[i] * edge_gain(i, fade)));
}

} // namespace sound
