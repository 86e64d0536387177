// The trace of drawn texts: when asked for, every text drawn on a surface is told to the trace
// (`text x=.. y=.. width=.. W=.. text=..`), so that a run can show that each one fits its surface.
#pragma once

namespace framework {

// Turns the `text` events on or off; off at start. Thread-safe.
void trace_drawn_texts(bool on);

} // namespace framework
