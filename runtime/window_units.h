// Units connected to windows: the run-time's side of the unit table for window output.
#pragma once

#include <cstdint>
#include <optional>

// Connects a unit number to a window number (the window framework's numbering). Replaces an
// earlier connection of the same unit. Thread-safe.
void rt_connect_unit_to_window(int32_t unit, int32_t window_number);

// Forgets the unit's window connection, if any. Thread-safe.
void rt_disconnect_unit_window(int32_t unit);

// The window number a unit is connected to, or nothing. Thread-safe.
std::optional<int32_t> rt_unit_window(int32_t unit);
