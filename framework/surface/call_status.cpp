// The graphics status, one value for the whole process.
#include "framework/surface/call_status.h"

int16_t gw_get_status() {
    return static_cast<int16_t>(
        framework::detail::g_graphics_status.load(std::memory_order_relaxed));
}
