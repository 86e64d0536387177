// Tones: the trace event, then virtual time, or a tone handed to the player and a wait for its end.
#include "runtime/beep.h"

#include "platform/sound/tone_player.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <algorithm>

namespace {

// Waits in the run-time's wait until the clock reaches `end_us`. A wake that comes meanwhile
// ends one wait early but is not meant for the tone: it is passed on, so that the caller's next
// wait still sees it, as it would have without the tone.
void wait_until_end(int64_t end_us) {
    bool woken = false;
    while (rt_clock_microseconds() < end_us) {
        if (rt_wait_until(end_us) == RtWaitEnd::woken)
            woken = true;
    }
    if (woken)
        rt_wake();
}

} // namespace

void rt_hold_tones(bool coming) {
    if (rt_clock_is_virtual())
        return;
    sound::hold_tone_stream(coming);
}

void rt_beep(int32_t frequency_hz, int32_t duration_ms) {
    const int32_t duration = std::max(duration_ms, 0);
    // On the real clock the tone's time runs from the call, the trace's writing included.
    const int64_t end_us = rt_clock_microseconds() + int64_t{duration} * 1000;
    rt_trace_event("tone", {{"hz", frequency_hz}, {"ms", duration}});
    if (rt_clock_is_virtual()) {
        rt_clock_advance(int64_t{duration} * 1000);
        return;
    }
    if (duration > 0 && frequency_hz >= RT_BEEP_MIN_HZ && frequency_hz <= RT_BEEP_MAX_HZ)
        sound::play_tone(frequency_hz, duration);
    // Whatever the player does with the tone (plays it, is still busy or stuck with the sound
    // device, has none), the call lasts the tone's length.
    wait_until_end(end_us);
}
