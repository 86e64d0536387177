// Per-thread records and the lookup of the active window.
#include "framework/windows/thread_record.h"

#include "framework/surface/call_status.h"
#include "framework/windows/window_config.h"
#include "platform/ui/gui_thread.h"
#include "runtime/thread_hold.h"
#include "runtime/window_units.h"

namespace {

thread_local bool t_has_record = false;

gw_thread_record& thread_record() {
    gw_thread_record& record = framework::detail::t_thread_record;
    if (!t_has_record) {
        t_has_record = true;
        // Every thread but the GUI thread that calls into the framework stops while the program
        // is paused.
        if (!ui::on_gui_thread())
            rt_mark_thread_holdable();
        const int32_t number = gw_default_window();
        record = {number, framework::window_record(number)};
    }
    return record;
}

} // namespace

gw_child_window* gw_get_active_window() {
    framework::reset_graphics_status();
    gw_child_window* window = thread_record().active_record;
    if (!window || window->slot_state() != WindowSlotState::open) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return nullptr;
    }
    if (window->configured.load(std::memory_order_acquire) == 0 &&
        !framework::ensure_configured(*window)) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return nullptr;
    }
    return window;
}

namespace framework {

int32_t thread_active_window() {
    return thread_record().active_window;
}

void set_thread_active_window(int32_t window_number) {
    thread_record() = {window_number, window_record(window_number)};
}

} // namespace framework

// A unit that is connected to no window selects the default window; a window number that
// names no open window changes nothing.
int32_t gw_set_active_window(int32_t unit) {
    framework::set_graphics_status(GW_STATUS_OK);
    const std::optional<int32_t> connected = rt_unit_window(unit);
    const int32_t number = connected ? *connected : gw_default_window();
    const gw_child_window* window = gw_find_window(number);
    if (!window || window->slot_state() != WindowSlotState::open) {
        framework::set_graphics_status(GW_STATUS_FAILED);
        return 0;
    }
    framework::set_thread_active_window(number);
    return 1;
}
