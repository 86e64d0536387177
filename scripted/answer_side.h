// Where the scripted `answer` action learns the side of the figure or gap last drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace scripted {

// Returns the side of the figure or gap last drawn: +1 right, -1 left, 0 nothing drawn yet.
// An activity that asks for answers registers one while it runs; it is called on the thread that
// carries the script out (the application thread with the virtual clock), never the GUI thread.
using AnswerSideProvider = std::function<int32_t()>;

// Replaces the provider (an empty function removes it). Thread-safe.
void set_answer_side_provider(AnswerSideProvider provider);

// The provider's answer; nothing when no provider is registered. Thread-safe.
std::optional<int32_t> current_answer_side();

} // namespace scripted
