// The run-time's window units on the framework: their windows and their records as text.
#include "framework/program/text_units.h"

#include "framework/program/window_system_hooks.h"
#include "framework/terminal/text_output.h"
#include "framework/windows/child_window.h"
#include "framework/windows/window_calls.h"
#include "runtime/units.h"

#include <string>

namespace {

// A unit's window is brought to the front before each record, as it keeps the focus.
void write_record(int32_t window_number, std::string_view record) {
    if (const int32_t unit = framework::window_unit(window_number); unit != 0)
        gw_focus_unit_window(unit);
    const std::string line = std::string(record) + "\r\n";
    gw_write_text(line.data(), static_cast<int32_t>(line.size()), window_number);
}

} // namespace

namespace framework {

void attach_text_units() {
    RtWindowUnitHooks hooks;
    hooks.on_open_window = [](int32_t unit, std::string_view title) {
        return gw_open_unit_window(unit, std::string(title).c_str());
    };
    hooks.on_close_window = [](int32_t number, RtWindowClose close) {
        gw_close_child_window(number, close == RtWindowClose::keep ? 1 : 0);
    };
    hooks.on_write_record = write_record;
    hooks.standard_window = [] { return gw_default_window(); };
    rt_set_window_unit_hooks(std::move(hooks));
}

} // namespace framework
