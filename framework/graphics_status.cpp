// The graphics status, one value for the whole process.
#include "framework/graphics_status.h"

#include <atomic>

namespace {
std::atomic<int32_t> g_status{0};
} // namespace

int16_t gw_get_status() {
    return static_cast<int16_t>(g_status.load(std::memory_order_relaxed));
}

namespace framework {
void set_graphics_status(int16_t status) {
    g_status.store(status, std::memory_order_relaxed);
}
} // namespace framework
