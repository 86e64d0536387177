// Tones: rt_beep plays a sine of a frequency for a duration and returns when it has ended.
#pragma once

#include <cstdint>

// The range of frequencies played as a tone; anything else is a silent pause.
inline constexpr int32_t RT_BEEP_MIN_HZ = 37;
inline constexpr int32_t RT_BEEP_MAX_HZ = 32767;

// Plays a tone of `frequency_hz` for `duration_ms` and returns when it has ended; a negative
// duration counts as 0, in the trace too. First it writes the event
// `tone hz=<frequency_hz> ms=<duration>` to the trace (see runtime/trace.h). Then:
// - virtual clock: advances the clock by the duration; nothing is heard.
// - real clock: a sine through the default sound device with soft edges. Frequency 0 is a silent
//   pause of the duration, and so is a frequency outside RT_BEEP_MIN_HZ..RT_BEEP_MAX_HZ
//   (negative ones included), and one above what the device's sample rate can carry (24 kHz),
//   which nobody would hear but which would otherwise sound at a wrong, lower pitch.
//   When there is no sound device or it fails, the tone becomes a silent pause too: in every
//   case the call takes at least the duration.
// Thread-safe; both threads may call it, tones then play one after the other or mixed, as the
// sound device allows.
void rt_beep(int32_t frequency_hz, int32_t duration_ms);
