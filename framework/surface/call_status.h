// The graphics status: the process-wide result code of the last graphics call.
#pragma once

#include <atomic>
#include <cstdint>

// Codes of the graphics status.
constexpr int16_t GW_STATUS_OK = 0;
constexpr int16_t GW_STATUS_NOTHING_DRAWN = 1;
constexpr int16_t GW_STATUS_PARTLY_CLIPPED = 2;
constexpr int16_t GW_STATUS_ADJUSTED = 3;
constexpr int16_t GW_STATUS_FAILED = -1;
constexpr int16_t GW_STATUS_OUT_OF_RANGE = -4;
constexpr int16_t GW_STATUS_OUT_OF_MEMORY = -8;

// The status of the last graphics call, whichever thread made it. Thread-safe.
int16_t gw_get_status();

namespace framework {

namespace detail {
// Inline, as every gw_ call sets it at least once.
inline std::atomic<int32_t> g_graphics_status{0};
} // namespace detail

// Thread-safe.
inline void set_graphics_status(int16_t status) {
    detail::g_graphics_status.store(status, std::memory_order_relaxed);
}

// Sets the status to 0 at the start of a call. Stores only when it is not 0 already, so that
// threads drawing at the same time do not pass the status's cache line to and fro on every call.
// Thread-safe.
inline void reset_graphics_status() {
    if (detail::g_graphics_status.load(std::memory_order_relaxed) != GW_STATUS_OK)
        detail::g_graphics_status.store(GW_STATUS_OK, std::memory_order_relaxed);
}

} // namespace framework
