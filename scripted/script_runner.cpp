// The scripted user: triggers, the order of lines, and carrying actions out on the GUI thread.
#include "scripted/script_runner.h"

#include "runtime/clock.h"
#include "scripted/answer_side.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace scripted {
namespace {

// Set while this thread carries lines out, so that a wait or sync point reached from inside an
// action (on the same thread) does not start carrying lines out again.
thread_local bool t_carrying_out = false;

bool event_matches(const ScriptTrigger& trigger, std::string_view event,
                   std::span<const RtTraceField> fields) {
    if (event != trigger.event)
        return false;
    for (const auto& [key, value] : trigger.keys) {
        bool found = false;
        for (const RtTraceField& field : fields)
            if (field.key == key && field.value == value)
                found = true;
        if (!found)
            return false;
    }
    return true;
}

void write_script_error(int32_t line_number, std::string_view reason) {
    rt_trace_event("script-error",
                   {{"line", line_number}, {"reason", reason.empty() ? "failed" : reason}});
}

// The level of a `ring` event, or nothing when it has none.
std::optional<double> ring_level(std::span<const RtTraceField> fields) {
    for (const RtTraceField& field : fields) {
        if (field.key != "V")
            continue;
        double level = 0.0;
        const auto [end, error] =
            std::from_chars(field.value.data(), field.value.data() + field.value.size(), level);
        if (error == std::errc() && end == field.value.data() + field.value.size() && level > 0.0)
            return level;
    }
    return std::nullopt;
}

} // namespace

// What is due next: a whole line, the release that ends a click, or the observer's answer.
struct ScriptRunner::Step {
    const ScriptLine* line = nullptr;
    std::optional<PendingRelease> release;
    std::optional<PendingAnswer> observer_answer;
};

ScriptRunner::ScriptRunner(Script script, ScriptTarget& target, GuiInvoker invoke,
                           std::filesystem::path snapshot_dir)
    : m_script(std::move(script)), m_target(target), m_invoke(std::move(invoke)),
      m_snapshot_dir(std::move(snapshot_dir)) {}

ScriptRunner::~ScriptRunner() {
    stop();
}

void ScriptRunner::start() {
    {
        std::lock_guard lock(m_mutex);
        if (m_started)
            return;
        m_started = true;
        m_armed_us = rt_clock_microseconds();
        m_virtual = rt_clock_is_virtual();
        tell_clock_when_due();
    }
    m_listener =
        rt_trace_add_listener([this](std::string_view event, std::span<const RtTraceField> fields) {
            on_trace_event(event, fields);
        });
    if (m_virtual) {
        rt_set_clock_advance_hook([this](int64_t) { run_due_lines(); });
        rt_set_sync_point_hook([this](int64_t) { run_due_lines(); });
    } else {
        m_thread = std::thread([this] { run_thread(); });
    }
}

void ScriptRunner::stop() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_started || m_stopping)
            return;
        m_stopping = true;
        tell_clock_when_due();
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (m_virtual) {
        rt_set_clock_advance_hook({});
        rt_set_sync_point_hook({});
    }
    rt_trace_remove_listener(m_listener);
    // A hook call that started before the hooks were removed may still be carrying a line out.
    std::lock_guard wait_for_it(m_firing);
}

void ScriptRunner::seed_observer(uint64_t seed) {
    std::lock_guard lock(m_mutex);
    m_draws = ObserverDraws(seed);
}

bool ScriptRunner::finished() const {
    std::lock_guard lock(m_mutex);
    return m_next >= m_script.lines.size() && !m_release && !m_busy;
}

// Listeners run under the trace's lock: this one only records the match and never waits.
void ScriptRunner::on_trace_event(std::string_view event, std::span<const RtTraceField> fields) {
    std::lock_guard lock(m_mutex);
    if (m_observer && event == "ring") {
        if (const std::optional<double> level = ring_level(fields)) {
            const auto delay_us = static_cast<int64_t>(std::llround(m_observer->seconds * 1e6));
            m_observer_answer = PendingAnswer{*level, rt_clock_microseconds() + delay_us};
            tell_clock_when_due();
            m_changed.notify_all();
        }
    }
    if (m_next >= m_script.lines.size() || m_matched_us)
        return;
    const ScriptTrigger& trigger = m_script.lines[m_next].trigger;
    if (trigger.kind != TriggerKind::on || !event_matches(trigger, event, fields))
        return;
    m_matched_us = rt_clock_microseconds();
    tell_clock_when_due();
    m_changed.notify_all();
}

// When the next step is due; nothing while it waits for its event or the script has ended (and
// no observer's answer or release is pending).
std::optional<int64_t> ScriptRunner::due_time() const {
    std::optional<int64_t> observer_due;
    if (m_observer_release)
        observer_due = m_observer_release->due_us;
    else if (m_observer_answer)
        observer_due = m_observer_answer->due_us;
    const std::optional<int64_t> line_due = line_due_time();
    if (observer_due && line_due)
        return std::min(*observer_due, *line_due);
    return observer_due ? observer_due : line_due;
}

std::optional<int64_t> ScriptRunner::line_due_time() const {
    if (m_release)
        return m_release->due_us;
    if (m_next >= m_script.lines.size())
        return std::nullopt;
    const ScriptTrigger& trigger = m_script.lines[m_next].trigger;
    switch (trigger.kind) {
    case TriggerKind::at:
        return trigger.delay_us;
    case TriggerKind::after:
        return m_armed_us + trigger.delay_us;
    case TriggerKind::on:
        if (!m_matched_us)
            return std::nullopt;
        return *m_matched_us + trigger.delay_us;
    }
    return std::nullopt;
}

// Virtual clock: a wait jumps no further than the next step, so the clock must always know when
// that is. Called with m_mutex held, after every change of what is due.
void ScriptRunner::tell_clock_when_due() const {
    if (!m_virtual)
        return;
    const std::optional<int64_t> due = m_stopping ? std::nullopt : due_time();
    rt_set_next_due(due.value_or(RT_NEVER));
}

// Takes the step due at `now_us`, if any. A line fires here: the next line is armed at once, so
// that events its action causes can already trigger the next line.
std::optional<ScriptRunner::Step> ScriptRunner::take_due_step(int64_t now_us) {
    std::lock_guard lock(m_mutex);
    if (m_stopping)
        return std::nullopt;
    const std::optional<int64_t> due = due_time();
    if (!due || *due > now_us)
        return std::nullopt;
    Step step;
    m_busy = true;
    const std::optional<int64_t> line_due = line_due_time();
    const bool line_is_due = line_due && *line_due <= now_us;
    if (m_observer_release && m_observer_release->due_us <= now_us) {
        step.release = m_observer_release;
        m_observer_release.reset();
    } else if (!m_observer_release && m_observer_answer && m_observer_answer->due_us <= now_us &&
               (!line_is_due || m_observer_answer->due_us < *line_due)) {
        step.observer_answer = m_observer_answer;
        m_observer_answer.reset();
    } else if (!line_is_due) {
        m_busy = false;
        return std::nullopt;
    } else if (m_release) {
        step.release = m_release;
        m_release.reset();
    } else {
        step.line = &m_script.lines[m_next];
        ++m_next;
        m_armed_us = now_us;
        m_matched_us.reset();
    }
    tell_clock_when_due();
    return step;
}

void ScriptRunner::run_due_lines() {
    if (t_carrying_out)
        return;
    // Another thread carrying lines out (a sync point reached on the GUI thread during an action)
    // must not wait for it: that could be the very thread it waits for.
    std::unique_lock firing(m_firing, std::try_to_lock);
    if (!firing)
        return;
    t_carrying_out = true;
    for (;;) {
        const int64_t now_us = rt_clock_microseconds();
        const std::optional<Step> step = take_due_step(now_us);
        if (!step)
            break;
        carry_out(*step, now_us);
        std::lock_guard lock(m_mutex);
        m_busy = false;
    }
    t_carrying_out = false;
}

void ScriptRunner::run_thread() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping &&
           (m_next < m_script.lines.size() || m_release || m_observer || m_observer_release)) {
        const int64_t now_us = rt_clock_microseconds();
        const std::optional<int64_t> due = due_time();
        if (!due) {
            m_changed.wait(lock);
        } else if (*due > now_us) {
            m_changed.wait_for(lock, std::chrono::microseconds(*due - now_us));
        } else {
            lock.unlock();
            run_due_lines();
            lock.lock();
        }
    }
}

ScriptActionResult ScriptRunner::invoke(const std::function<ScriptActionResult()>& action) {
    // Stays so when the GUI has ended and the work never ran.
    ScriptActionResult result = ScriptActionResult::failed("gui_not_running");
    m_invoke([&] { result = action(); });
    return result;
}

// The observer's click for the ring last drawn: a draw decides whether it names the gap's side.
void ScriptRunner::answer_as_observer(const PendingAnswer& answer) {
    ObserverModel model;
    bool correct = false;
    int32_t line_number = 0;
    {
        std::lock_guard lock(m_mutex);
        if (!m_observer)
            return;
        model = *m_observer;
        line_number = m_observer_line;
        correct = observer_answers_correctly(model, answer.level, m_draws);
    }
    const std::optional<int32_t> side = current_answer_side();
    if (!side || *side == 0) {
        write_script_error(line_number, side ? "nothing_drawn" : "no_activity");
        return;
    }
    const ScriptButtons buttons =
        (*side > 0) == correct ? ScriptButtons::right : ScriptButtons::left;
    int64_t pressed_us = 0;
    const ScriptActionResult result = invoke([&] {
        const ScriptActionResult pressed = m_target.press(buttons, std::nullopt);
        pressed_us = rt_clock_microseconds();
        return pressed;
    });
    if (!result.done) {
        write_script_error(line_number, result.reason);
        return;
    }
    std::lock_guard lock(m_mutex);
    m_observer_release =
        PendingRelease{buttons, std::nullopt, line_number, pressed_us + CLICK_RELEASE_US};
    tell_clock_when_due();
}

void ScriptRunner::carry_out(const Step& step, int64_t now_us) {
    if (step.observer_answer) {
        answer_as_observer(*step.observer_answer);
        return;
    }
    if (step.release) {
        const PendingRelease release = *step.release;
        const ScriptActionResult result =
            invoke([&] { return m_target.release(release.buttons, release.point); });
        if (!result.done)
            write_script_error(release.line_number, result.reason);
        return;
    }
    const ScriptLine& line = *step.line;
    const ScriptAction& action = line.action;
    ScriptButtons buttons = action.buttons;
    if (action.kind == ActionKind::observer) {
        std::lock_guard lock(m_mutex);
        m_observer = action.observer;
        m_observer_line = line.line_number;
        m_observer_answer.reset();
        tell_clock_when_due();
        m_changed.notify_all();
        return;
    }
    if (action.kind == ActionKind::answer) {
        // The side is read on this thread, where the activity that draws runs.
        const std::optional<int32_t> side = current_answer_side();
        if (!side || *side == 0) {
            write_script_error(line.line_number, side ? "nothing_drawn" : "no_activity");
            return;
        }
        const bool right = (*side > 0) == action.correct;
        buttons = right ? ScriptButtons::right : ScriptButtons::left;
    }
    // The moment the press reached the window: a click's release comes 50 ms after it, however
    // long the window thread took to get to it.
    int64_t pressed_us = now_us;
    const ScriptActionResult result = invoke([&]() -> ScriptActionResult {
        switch (action.kind) {
        case ActionKind::press:
        case ActionKind::click:
        case ActionKind::answer: {
            const ScriptActionResult pressed = m_target.press(buttons, action.point);
            pressed_us = rt_clock_microseconds();
            return pressed;
        }
        case ActionKind::release:
            return m_target.release(buttons, action.point);
        case ActionKind::menu:
            return m_target.menu(action.text);
        case ActionKind::help:
            return m_target.help(action.text);
        case ActionKind::key:
            return m_target.key(action.text);
        case ActionKind::dialog_set:
            return m_target.dialog_set(action.control_id, action.text);
        case ActionKind::dialog_press:
            return m_target.dialog_press(action.control_id);
        case ActionKind::snapshot:
            return m_target.snapshot(m_snapshot_dir.string(), action.text);
        case ActionKind::close:
            return m_target.close_frame();
        case ActionKind::observer:
            break;
        }
        return ScriptActionResult::failed("unknown_action");
    });
    if (!result.done) {
        write_script_error(line.line_number, result.reason);
        return;
    }
    if (action.kind == ActionKind::click || action.kind == ActionKind::answer) {
        std::lock_guard lock(m_mutex);
        m_release =
            PendingRelease{buttons, action.point, line.line_number, pressed_us + CLICK_RELEASE_US};
        tell_clock_when_due();
    }
}

} // namespace scripted
