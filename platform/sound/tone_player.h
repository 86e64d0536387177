// Tones through the sound device: a sine with soft edges, rendered and played to its end.
#pragma once

#include <cstdint>
#include <vector>

namespace sound {

// 16-bit mono at this rate: every device and sound server takes it without conversion trouble.
inline constexpr int32_t SAMPLE_RATE = 48000;
// Each edge of a tone fades over this long so that it starts and stops without a click.
inline constexpr int32_t FADE_MS = 5;
// Peak amplitude, half of full scale: clearly audible and far from clipping.
inline constexpr int32_t AMPLITUDE = 16384;

// The samples of a sine of `frequency_hz` lasting `duration_ms` (round(duration_ms * rate / 1000)
// samples, none for a duration of 0 or less), starting at phase 0, with raised-cosine fades of
// FADE_MS at both ends (shorter when the tone is shorter than two fades), so the first and the
// last sample are 0. Silence for a frequency of 0 or less, or of half the sample rate or more
// (those cannot be represented and would sound at a wrong, lower pitch).
std::vector<int16_t> render_tone(double frequency_hz, int32_t duration_ms,
                                 int32_t sample_rate = SAMPLE_RATE);

// True when the program was built with a sound library; without one nothing is ever played.
bool sound_supported();

// Plays 16-bit mono samples through the "default" device and returns when the device has played
// them to the end. Returns false when there is no device (a machine without a sound card) or the
// device failed; the caller then decides how to fill the time. The sound library prints nothing
// to standard error. Thread-safe: every call opens and closes its own device handle.
bool play_samples(const std::vector<int16_t>& samples, int32_t sample_rate = SAMPLE_RATE);

// render_tone + play_samples.
bool play_tone(double frequency_hz, int32_t duration_ms);

} // namespace sound
