// Units connected to windows: the run-time's side of the unit table for window output.
#include "runtime/window_units.h"

#include <map>
#include <mutex>

namespace {

struct WindowUnits {
    std::mutex mutex;
    std::map<int32_t, int32_t> window_of_unit;
};

WindowUnits& window_units() {
    static WindowUnits units;
    return units;
}

} // namespace

void rt_connect_unit_to_window(int32_t unit, int32_t window_number) {
    WindowUnits& units = window_units();
    std::lock_guard lock(units.mutex);
    units.window_of_unit[unit] = window_number;
}

void rt_disconnect_unit_window(int32_t unit) {
    WindowUnits& units = window_units();
    std::lock_guard lock(units.mutex);
    units.window_of_unit.erase(unit);
}

std::optional<int32_t> rt_unit_window(int32_t unit) {
    WindowUnits& units = window_units();
    std::lock_guard lock(units.mutex);
    auto found = units.window_of_unit.find(unit);
    if (found == units.window_of_unit.end())
        return std::nullopt;
    return found->second;
}
