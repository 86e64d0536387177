// The calling thread's active surface, locked for one gw_ call.
#include "framework/active_surface.h"

#include "framework/graphics_status.h"
#include "framework/thread_record.h"

namespace framework {

ActiveSurface::ActiveSurface() : m_window(gw_get_active_window()) {
    if (!m_window)
        return;
    m_access.emplace(m_window->surface);
    // The window may have been closed between the lookup and the lock.
    if (!m_access->is_ready()) {
        m_access.reset();
        set_graphics_status(GW_STATUS_FAILED);
    }
}

} // namespace framework
