// Tones: the trace event, then virtual time, a sine through the sound device or a silent pause.
#include "runtime/beep.h"

#include "platform/sound/tone_player.h"
#include "runtime/clock.h"
#include "runtime/trace.h"

#include <algorithm>
#include <chrono>
#include <thread>

void rt_beep(int32_t frequency_hz, int32_t duration_ms) {
    const int32_t duration = std::max(duration_ms, 0);
    rt_trace_event("tone", {{"hz", frequency_hz}, {"ms", duration}});
    if (rt_clock_is_virtual()) {
        rt_clock_advance(int64_t{duration} * 1000);
        return;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(duration);
    if (duration > 0 && frequency_hz >= RT_BEEP_MIN_HZ && frequency_hz <= RT_BEEP_MAX_HZ)
        sound::play_tone(frequency_hz, duration);
    // Whatever happened above (a silent pause, no device, a failing device, or a device such as
    // "null" that takes the samples at once), the call lasts the tone's length.
    std::this_thread::sleep_until(end);
}
