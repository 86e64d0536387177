// Watching a unit's window for the user's view of it.
#include "framework/program/window_presence.h"

#include "framework/program/process.h"
#include "framework/windows/child_window.h"
#include "platform/ui/child_view.h"
#include "platform/ui/frame_presence.h"

#include <atomic>
#include <optional>

namespace {

std::atomic<gw_presence_callback> g_callback{nullptr};
std::atomic<int32_t> g_window_number{0};

// GUI thread only: what the callback was last told, nothing before its first call.
std::optional<GwPresence> g_told;

bool same(const GwPresence& a, const GwPresence& b) {
    return a.frame_exposed == b.frame_exposed && a.focus_elsewhere == b.focus_elsewhere &&
           a.surface_whole == b.surface_whole;
}

} // namespace

int32_t gw_register_presence_callback(int32_t unit, gw_presence_callback callback) {
    const std::optional<int32_t> number = gw_open_window_of_unit(unit);
    if (!number)
        return -2;
    g_window_number.store(*number);
    g_callback.store(callback);
    framework::on_gui_later([] {
        g_told.reset();
        framework::check_presence();
    });
    return 0;
}

namespace framework {

void check_presence() {
    const gw_presence_callback callback = g_callback.load();
    // A window that is gone (the program ends) is nothing the user should come back to.
    if (!callback || !ui::view_state(g_window_number.load()).exists)
        return;
    const ui::FramePresence frame = ui::frame_presence();
    const GwPresence now{frame.exposed, frame.focus_elsewhere,
                         ui::view_shows_whole(g_window_number.load())};
    if (g_told && same(*g_told, now))
        return;
    g_told = now;
    callback(now);
}

} // namespace framework
