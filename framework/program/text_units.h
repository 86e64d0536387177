// The run-time's window units on the framework: opening and closing their windows, and their
// records, and those of the standard units, written as text.
#pragma once

namespace framework {

// Registers the run-time's window-unit hooks: a unit opened as a window gets a unit window
// (gw_open_unit_window); closing it destroys the window or keeps it "-Closed"; each record
// written goes to the window through gw_write_text, followed by a carriage return and a line
// feed; the standard units write to the default window. Once, when the window system starts.
void attach_text_units();

} // namespace framework
