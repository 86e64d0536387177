// A GUI thread and a scripted-user target for runner tests, both without any window system.
#pragma once

#include "runtime/clock.h"
#include "runtime/trace.h"
#include "scripted/script_target.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace test_support {

using scripted::ScriptActionResult;
using scripted::ScriptButtons;
using scripted::ScriptPoint;

// A GUI thread: runs posted work in order; invoke waits until its work has run.
class FakeGui {
public:
    FakeGui() : m_thread([this] { loop(); }) {}
    ~FakeGui() {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    void invoke(std::function<void()> work) {
        std::promise<void> done;
        std::future<void> finished = done.get_future();
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back([&] {
                work();
                done.set_value();
            });
        }
        m_changed.notify_all();
        finished.wait();
    }

    std::thread::id id() const { return m_thread.get_id(); }

private:
    void loop() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_quit || !m_queue.empty(); });
            if (m_queue.empty())
                return;
            std::function<void()> work = std::move(m_queue.front());
            m_queue.pop_front();
            lock.unlock();
            work();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_queue;
    bool m_quit = false;
    std::thread m_thread;
};

inline std::string_view button_name(ScriptButtons buttons) {
    return buttons == ScriptButtons::left    ? "left"
           : buttons == ScriptButtons::right ? "right"
                                             : "both";
}

// Writes each action it is asked for to the trace as `target action=...`, as a window would show
// its effect; the menu also writes the `menu label=` event a real menu writes. Knows one menu
// label and no dialog, like a program on its start screen.
class FakeTarget : public scripted::ScriptTarget {
public:
    explicit FakeTarget(std::thread::id gui) : m_gui(gui) {}

    ScriptActionResult press(ScriptButtons buttons, std::optional<ScriptPoint> at) override {
        return pointer("press", buttons, at);
    }
    ScriptActionResult release(ScriptButtons buttons, std::optional<ScriptPoint> at) override {
        return pointer("release", buttons, at);
    }
    ScriptActionResult menu(const std::string& label) override {
        check_thread();
        if (label != "Итоги_тренировок")
            return ScriptActionResult::failed("unknown_label");
        rt_trace_event("menu", {{"label", label}});
        return ScriptActionResult::ok();
    }
    ScriptActionResult help(const std::string& label) override {
        check_thread();
        rt_trace_event("target", {{"action", "help"}, {"label", label}});
        return ScriptActionResult::ok();
    }
    ScriptActionResult key(const std::string& name) override {
        check_thread();
        // A window that checks shared state while handling a key reaches a sync point on the GUI
        // thread: it must neither deadlock nor carry lines out there.
        rt_sync_point();
        rt_trace_event("target", {{"action", "key"}, {"name", name}});
        return ScriptActionResult::ok();
    }
    ScriptActionResult dialog_set(int32_t, const std::string&) override {
        check_thread();
        return ScriptActionResult::failed("no dialog on screen");
    }
    ScriptActionResult dialog_press(int32_t) override {
        check_thread();
        return ScriptActionResult::failed("no dialog on screen");
    }
    ScriptActionResult snapshot(const std::string& directory, const std::string& name) override {
        check_thread();
        rt_trace_event("target", {{"action", "snapshot"}, {"dir", directory}, {"name", name}});
        return ScriptActionResult::ok();
    }
    ScriptActionResult close_frame() override {
        check_thread();
        rt_trace_event("target", {{"action", "close"}});
        return ScriptActionResult::ok();
    }

    // Presses fail while set, as when no drawing window is open.
    std::atomic<bool> refuse_presses{false};
    std::atomic<int32_t> wrong_thread_calls{0};

private:
    ScriptActionResult pointer(std::string_view action, ScriptButtons buttons,
                               std::optional<ScriptPoint> at) {
        check_thread();
        if (refuse_presses && action == "press")
            return ScriptActionResult::failed("no drawing window");
        if (at)
            rt_trace_event("target", {{"action", action},
                                      {"buttons", button_name(buttons)},
                                      {"x", at->x},
                                      {"y", at->y}});
        else
            rt_trace_event("target", {{"action", action}, {"buttons", button_name(buttons)}});
        return ScriptActionResult::ok();
    }
    void check_thread() {
        if (std::this_thread::get_id() != m_gui)
            ++wrong_thread_calls;
    }

    std::thread::id m_gui;
};

} // namespace test_support
