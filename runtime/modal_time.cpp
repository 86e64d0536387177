// Time under modal boxes: a count of boxes up and the time they have covered.
#include "runtime/modal_time.h"

#include "runtime/clock.h"

#include <mutex>

namespace {

struct ModalTime {
    std::mutex lock;
    int32_t boxes_up = 0;
    int64_t covered_us = 0; // by boxes that are down again
    int64_t up_since_us = 0;
};

ModalTime& modal_time() {
    static ModalTime instance;
    return instance;
}

} // namespace

void rt_modal_begin() {
    ModalTime& m = modal_time();
    const std::lock_guard guard(m.lock);
    if (m.boxes_up++ == 0)
        m.up_since_us = rt_clock_microseconds();
}

void rt_modal_end() {
    ModalTime& m = modal_time();
    {
        const std::lock_guard guard(m.lock);
        if (m.boxes_up == 0)
            return;
        if (--m.boxes_up == 0)
            m.covered_us += rt_clock_microseconds() - m.up_since_us;
    }
    rt_wake();
}

bool rt_modal_up() {
    ModalTime& m = modal_time();
    const std::lock_guard guard(m.lock);
    return m.boxes_up > 0;
}

int64_t rt_modal_microseconds() {
    ModalTime& m = modal_time();
    const std::lock_guard guard(m.lock);
    return m.covered_us + (m.boxes_up > 0 ? rt_clock_microseconds() - m.up_since_us : 0);
}
