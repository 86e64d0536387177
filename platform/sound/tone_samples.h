// Tone samples: a sine with soft edges, and the soft start of a tone that begins part-way through.
#pragma once

#include <cstdint>
#include <span>
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

// Gives `samples`, the rest of a tone whose beginning was cut off, the same raised-cosine fade-in
// as a whole tone (FADE_MS, or half the samples when they are fewer than two fades), so that the
// cut does not click: the first sample becomes 0.
void fade_in(std::span<int16_t> samples, int32_t sample_rate = SAMPLE_RATE);

} // namespace sound
