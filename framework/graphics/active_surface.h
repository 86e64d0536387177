// Private to the framework: the calling thread's active surface, locked for one gw_ call.
#pragma once

#include "framework/windows/child_window.h"
#include "framework/surface/call_status.h"
#include "framework/surface/surface.h"
#include "framework/windows/thread_record.h"

#include <optional>

namespace framework {

// Obtains the active window (resetting the graphics status) and holds its surface lock for the
// lifetime of the object. Converts to false, with status -1, when there is no usable window.
// Inline, and forced so: every gw_ call goes through it, and a call to it would cost a pixel's
// call as much again.
class ActiveSurface {
public:
    [[gnu::always_inline]] ActiveSurface() : m_window(active_window()) {
        if (!m_window)
            return;
        m_access.emplace(m_window->surface);
        // The window may have been closed between the lookup and the lock.
        if (!m_access->is_ready()) {
            m_access.reset();
            set_graphics_status(GW_STATUS_FAILED);
        }
    }

    explicit operator bool() const { return m_access.has_value(); }
    SurfaceAccess* operator->() { return &*m_access; }
    SurfaceAccess& operator*() { return *m_access; }
    gw_child_window& window() { return *m_window; }

private:
    // The thread's active window when it is open and configured, as gw_get_active_window finds
    // it; everything else (the thread's first call, a closed window, a configuration still to
    // apply) goes through gw_get_active_window.
    static gw_child_window* active_window() {
        gw_child_window* window = detail::t_thread_record.active_record;
        if (window && window->slot_state() == WindowSlotState::open &&
            window->configured.load(std::memory_order_acquire) != 0) {
            reset_graphics_status();
            return window;
        }
        return gw_get_active_window();
    }

    gw_child_window* m_window = nullptr;
    std::optional<SurfaceAccess> m_access;
};

} // namespace framework
