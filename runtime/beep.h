// Tones: rt_beep sounds a sine of a frequency for a duration and returns when that has ended.
#pragma once

#include <cstdint>

// The range of frequencies played as a tone; anything else is a silent pause.
inline constexpr int32_t RT_BEEP_MIN_HZ = 37;
inline constexpr int32_t RT_BEEP_MAX_HZ = 32767;

// Plays a tone of `frequency_hz` for `duration_ms` and returns when it has ended; a negative
// duration counts as 0, in the trace too. First it writes the event
// `tone hz=<frequency_hz> ms=<duration>` to the trace (see runtime/trace.h). Then:
// - virtual clock: advances the clock by the duration; nothing is heard, and no thread is
//   started.
// - real clock: the call lasts the duration from its start (to about a millisecond), whatever
//   the sound system does. The tone is handed to the process's tone player
//   (platform/sound/tone_player.h), a thread of its own started at the first tone, which plays a
//   sine with soft edges through the default sound device over one stream kept open; the
//   calling thread never waits for the device, only for the tone's end, in the run-time's wait
//   (rt_wait_until: a hold point, so a thread held by a pause stays held past the tone's end;
//   a wake that comes during the tone is passed on to the caller's next wait). The player plays
//   a tone only within the tone's own time: one it gets to late (the device slow or stuck) is
//   cut short or not heard. Frequency 0 is a silent pause of the duration, and so is a
//   frequency outside RT_BEEP_MIN_HZ..RT_BEEP_MAX_HZ (negative ones included), and one above
//   what the device's sample rate can carry (24 kHz), which nobody would hear but which would
//   otherwise sound at a wrong, lower pitch. When there is no sound device or it fails, the tone
//   becomes a silent pause too.
// Thread-safe; both threads may call it. The player plays one tone at a time: of two tones that
// overlap, the later one sounds only for what is left of its time once the earlier has been
// handed to the device.
void rt_beep(int32_t frequency_hz, int32_t duration_ms);

// Tones are coming (true: an activity starts) or no longer (false: it has ended). Real clock:
// the tone player's stream opens now, ahead of the first tone, which would otherwise lose the
// time the sound device takes to open (tens of milliseconds) and be cut short or not heard; it
// stays open, however long the activity lasts, and closes ten seconds after the last tone once
// nobody holds it, so that other programs can play on a device that cannot mix. Holds nest.
// Virtual clock: nothing. Thread-safe.
void rt_hold_tones(bool coming);
