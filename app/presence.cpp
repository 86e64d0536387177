// Away and back: the drawing window's presence turned into the run-time's held time.
#include "app/presence.h"

#include "app/drawing_window.h"
#include "app/screen_note.h"
#include "runtime/clock.h"
#include "runtime/modal_time.h"
#include "runtime/trace.h"

#include <mutex>

void app_watch_presence() {
    gw_register_presence_callback(APP_DRAWING_UNIT, app_note_presence);
}

void app_note_presence(const GwPresence& presence) {
    static std::mutex lock;
    const std::lock_guard guard(lock);
    const bool away = !gw_present(presence);
    if (away != rt_modal_away()) {
        rt_trace_event(away ? "away" : "back");
        rt_modal_set_away(away);
    }
    app_note_window_small(!presence.surface_whole);
}

void app_wait_while_away() {
    while (rt_modal_away())
        rt_wait();
}
