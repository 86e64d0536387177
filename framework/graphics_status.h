// The graphics status: the process-wide result code of the last graphics call.
#pragma once

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
// Thread-safe.
void set_graphics_status(int16_t status);
} // namespace framework
