// Private to the framework: the calling thread's active surface, locked for one gw_ call.
#pragma once

#include "framework/windows/child_window.h"
#include "framework/surface/graphics_status.h"
#include "framework/surface/surface.h"
#include "framework/windows/thread_record.h"

#include <optional>

namespace framework {

// Obtains the active window (resetting the graphics status) and holds its surface lock for the
// lifetime of the object. Converts to false, with status -1, when there is no usable window.
// Inline: every gw_ call goes through it.
class ActiveSurface {
public:
    ActiveSurface() : m_window(gw_get_active_window()) {
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
    gw_child_window* m_window = nullptr;
    std::optional<SurfaceAccess> m_access;
};

} // namespace framework
