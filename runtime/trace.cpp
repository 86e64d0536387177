// The trace of deterministic runs: formatting, writing and delivering events.
#include "runtime/trace.h"

#include "runtime/clock.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

struct Pending {
    std::string event;
    std::vector<std::pair<std::string, std::string>> fields;
};

struct TraceState {
    // Recursive so that a listener may write an event while its own delivery holds the lock.
    std::recursive_mutex mutex;
    std::FILE* file = nullptr;
    bool write_failed = false;
    std::vector<std::pair<int32_t, RtTraceListener>> listeners;
    int32_t next_listener_id = 1;
    std::deque<Pending> undelivered;
    // Set when the process ends: the one thread whose events are still taken.
    std::optional<std::thread::id> only_thread;
    // Lets rt_trace_event skip all work when nobody reads the events.
    std::atomic<bool> active{false};
};

TraceState& trace_state() {
    static TraceState state;
    return state;
}

thread_local bool t_delivering = false;

void update_active(TraceState& state) {
    state.active.store(state.file != nullptr || !state.listeners.empty(),
                       std::memory_order_release);
}

void close_file(TraceState& state) {
    if (state.file && std::fclose(state.file) != 0)
        state.write_failed = true;
    state.file = nullptr;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void write_line(TraceState& state, std::string_view event, std::span<const RtTraceField> fields) {
    std::string line = rt_trace_seconds(rt_clock_seconds());
    line += ' ';
    line += event;
    for (const RtTraceField& field : fields) {
        line += ' ';
        line += field.key;
        line += '=';
        line += field.value;
    }
    line += '\n';
    if (std::fwrite(line.data(), 1, line.size(), state.file) != line.size() ||
        std::fflush(state.file) != 0)
        state.write_failed = true;
}

// Delivers queued events one at a time; listeners may queue more meanwhile.
void deliver(TraceState& state) {
    t_delivering = true;
    while (!state.undelivered.empty()) {
        Pending pending = std::move(state.undelivered.front());
        state.undelivered.pop_front();
        std::vector<RtTraceField> fields;
        fields.reserve(pending.fields.size());
        for (const auto& [key, value] : pending.fields)
            fields.emplace_back(key, value);
        // A copy, so that a listener may add or remove listeners.
        const auto listeners = state.listeners;
        for (const auto& [id, listener] : listeners)
            listener(pending.event, fields);
    }
    t_delivering = false;
}

} // namespace

RtTraceField::RtTraceField(std::string_view field_key, std::string_view text)
    : key(field_key), value(text) {
    for (char& c : value)
        if (is_blank(c))
            c = '_';
}

bool rt_trace_open(const std::filesystem::path& path) {
    TraceState& state = trace_state();
    std::lock_guard lock(state.mutex);
    close_file(state);
    state.write_failed = false;
    state.only_thread.reset();
    state.file = std::fopen(path.c_str(), "wb");
    update_active(state);
    return state.file != nullptr;
}

bool rt_trace_close() {
    TraceState& state = trace_state();
    std::lock_guard lock(state.mutex);
    close_file(state);
    update_active(state);
    const bool ok = !state.write_failed;
    state.write_failed = false;
    return ok;
}

bool rt_trace_is_open() {
    TraceState& state = trace_state();
    std::lock_guard lock(state.mutex);
    return state.file != nullptr;
}

void rt_trace_only_this_thread() {
    TraceState& state = trace_state();
    std::lock_guard lock(state.mutex);
    state.only_thread = std::this_thread::get_id();
}

void rt_trace_event(std::string_view event, std::initializer_list<RtTraceField> fields) {
    rt_trace_event(event, std::span<const RtTraceField>(fields.begin(), fields.size()));
}

void rt_trace_event(std::string_view event, std::span<const RtTraceField> fields) {
    TraceState& state = trace_state();
    if (!state.active.load(std::memory_order_acquire))
        return;
    std::lock_guard lock(state.mutex);
    if (state.only_thread && *state.only_thread != std::this_thread::get_id())
        return;
    if (state.file)
        write_line(state, event, fields);
    if (state.listeners.empty())
        return;
    Pending pending{std::string(event), {}};
    for (const RtTraceField& field : fields)
        pending.fields.emplace_back(std::string(field.key), field.value);
    state.undelivered.push_back(std::move(pending));
    if (!t_delivering)
        deliver(state);
}

// to_chars rather than printf: the GUI library sets the user's locale, which may write "5,000".
std::string rt_trace_seconds(double seconds) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 3);
    return std::string(text, result.ptr);
}

int32_t rt_trace_add_listener(RtTraceListener listener) {
    TraceState& state = trace_state();
    std::lock_guard lock(state.mutex);
    const int32_t id = state.next_listener_id++;
    state.listeners.emplace_back(id, std::move(listener));
    update_active(state);
    return id;
}

void rt_trace_remove_listener(int32_t id) {
    TraceState& state = trace_state();
    std::lock_guard lock(state.mutex);
    std::erase_if(state.listeners, [id](const auto& entry) { return entry.first == id; });
    update_active(state);
}
