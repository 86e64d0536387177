// The side last drawn, offered to the scripted user.
#include "app/side_drawn.h"

#include "scripted/answer_side.h"

#include <atomic>

namespace {

std::atomic<int32_t> side_drawn{0};

} // namespace

// The provider is registered once; it reads the side, which only the application thread writes.
void app_tell_side_drawn(int32_t side) {
    static const bool registered = [] {
        scripted::set_answer_side_provider(
            [] { return side_drawn.load(std::memory_order_relaxed); });
        return true;
    }();
    (void)registered;
    side_drawn.store(side, std::memory_order_relaxed);
}
