// The scripted user: carries a script's lines out, in order, each when its trigger is met.
#pragma once

#include "runtime/trace.h"
#include "scripted/script.h"
#include "scripted/script_target.h"
#include "scripted/simulated_observer.h"

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace scripted {

// Runs `work` on the GUI thread and returns once it has run (or once it never will, because the
// GUI has ended). Called from the application thread or the runner's own thread; called on the
// GUI thread itself (which happens only if that thread advances the virtual clock), it must run
// `work` at once rather than wait for itself.
using GuiInvoker = std::function<void(std::function<void()> work)>;

// A click is a press and, this long after it, a release.
inline constexpr int64_t CLICK_RELEASE_US = 50'000;

// Lines fire in order; a line waits for the one before it (for a click, also for its release).
// An action that cannot be carried out writes `script-error line=N reason=...` to the trace and
// the run goes on. A script that ends leaves the program running.
//
// Virtual clock: no thread of its own. The runner tells the clock when its next step is due
// (rt_set_next_due), so that a wait of the program jumps no further. At every advance of the
// clock and at every sync point (runtime/clock.h), the calling thread (the application thread)
// carries out every line that is due at the current time, each through the GUI invoker and
// waiting for it, so a run repeats exactly. `on` triggers are matched as the trace writes events
// but fire only there, so the order of events and actions never depends on the threads' timing.
//
// Real clock: a thread of its own waits (without polling) until a line is due and invokes it.
//
// An `observer` line starts a simulated observer beside the lines: every `ring` event from then
// on (until `observer off`) is answered with a click its seconds later, by the button that names
// the gap's side or the other one, as its draws decide; a draw is made at each answer, in the
// order of the rings.
class ScriptRunner {
public:
    // `target` and `invoke` must outlive the runner. `snapshot_dir` receives snapshot files.
    ScriptRunner(Script script, ScriptTarget& target, GuiInvoker invoke,
                 std::filesystem::path snapshot_dir);
    ~ScriptRunner();
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Starts the run at the current time, on the clock chosen at start-up: the first line's
    // `after` counts from here, and `on` triggers see the events written from here on, so call
    // it before the program shows its first window. Call once.
    void start();

    // Ends the run: no further line fires. Waits for an action in progress, so it must not be
    // called on the GUI thread while the application thread may be carrying one out.
    void stop();

    // True once every line has fired and been carried out (an observer may still be answering).
    // Thread-safe.
    bool finished() const;

    // Seeds the observer's draws (by default from the time); call before start().
    void seed_observer(uint64_t seed);

private:
    struct Step;
    struct PendingRelease {
        ScriptButtons buttons;
        std::optional<ScriptPoint> point;
        int32_t line_number;
        int64_t due_us;
    };
    // The observer's answer to the ring of a level, due at a time.
    struct PendingAnswer {
        double level;
        int64_t due_us;
    };

    void run_due_lines();
    void run_thread();
    std::optional<Step> take_due_step(int64_t now_us);
    std::optional<int64_t> due_time() const;
    std::optional<int64_t> line_due_time() const;
    void answer_as_observer(const PendingAnswer& answer);
    void tell_clock_when_due() const;
    void carry_out(const Step& step, int64_t now_us);
    ScriptActionResult invoke(const std::function<ScriptActionResult()>& action);
    void on_trace_event(std::string_view event, std::span<const RtTraceField> fields);

    Script m_script;
    ScriptTarget& m_target;
    GuiInvoker m_invoke;
    std::filesystem::path m_snapshot_dir;

    // Held by the thread that carries lines out, so that only one does at a time.
    std::mutex m_firing;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_next = 0;                   // the line waiting for its trigger
    int64_t m_armed_us = 0;              // when the line before it fired (the start for the first)
    std::optional<int64_t> m_matched_us; // when its `on` event was written
    std::optional<PendingRelease> m_release;
    // The simulated observer, when a line has started one; its next answer; and the release that
    // ends its last click.
    std::optional<ObserverModel> m_observer;
    int32_t m_observer_line = 0;
    std::optional<PendingAnswer> m_observer_answer;
    std::optional<PendingRelease> m_observer_release;
    ObserverDraws m_draws{observer_seed(std::nullopt)};
    bool m_busy = false; // a step is being carried out (a click's release may still follow)
    bool m_started = false;
    bool m_virtual = false; // the hooks are set, rather than a thread of its own
    bool m_stopping = false;
    int32_t m_listener = 0;
    std::thread m_thread;
};

} // namespace scripted
