// Time under modal boxes: a count of boxes up, whether the frame is away, and the time that
// either has covered.
#include "runtime/modal_time.h"

#include "runtime/clock.h"

#include <mutex>

namespace {

struct ModalTime {
    std::mutex lock;
    int32_t boxes_up = 0;
    bool away = false;
    int64_t covered_us = 0; // by times that are over
    int64_t held_since_us = 0;

    bool held() const { return boxes_up > 0 || away; }
};

ModalTime& modal_time() {
    static ModalTime instance;
    return instance;
}

// Carries out `change` on the state; the covered time starts when the program becomes held and
// grows when it is free again.
template <typename Change>
void change_held(ModalTime& m, Change change) {
    const bool was_held = m.held();
    change();
    if (!was_held && m.held())
        m.held_since_us = rt_clock_microseconds();
    if (was_held && !m.held())
        m.covered_us += rt_clock_microseconds() - m.held_since_us;
}

} // namespace

void rt_modal_begin() {
    ModalTime& m = modal_time();
    const std::lock_guard guard(m.lock);
    change_held(m, [&m] { ++m.boxes_up; });
}

void rt_modal_end() {
    ModalTime& m = modal_time();
    {
        const std::lock_guard guard(m.lock);
        if (m.boxes_up == 0)
            return;
        change_held(m, [&m] { --m.boxes_up; });
    }
    rt_wake();
}

void rt_modal_set_away(bool away) {
    ModalTime& m = modal_time();
    {
        const std::lock_guard guard(m.lock);
        if (m.away == away)
            return;
        change_held(m, [&m, away] { m.away = away; });
    }
    rt_wake();
}

bool rt_modal_away() {
    ModalTime& m = modal_time();
    const std::lock_guard guard(m.lock);
    return m.away;
}

bool rt_modal_up() {
    ModalTime& m = modal_time();
    const std::lock_guard guard(m.lock);
    return m.held();
}

int64_t rt_modal_microseconds() {
    ModalTime& m = modal_time();
    const std::lock_guard guard(m.lock);
    return m.covered_us + (m.held() ? rt_clock_microseconds() - m.held_since_us : 0);
}
