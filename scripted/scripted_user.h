// The scripted user's target: scripted actions carried out through the window system's own
// input paths. For the script runner.
#pragma once

#include "scripted/script_target.h"

#include <functional>

namespace scripted {

// The target; use it on the GUI thread only.
ScriptTarget& script_target();

// Runs `work` on the GUI thread later (nothing before start-up has built the frame).
// Thread-safe.
void post_to_gui(std::function<void()> work);

} // namespace scripted
