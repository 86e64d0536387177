// The trace of deterministic runs: one line per event, `<time> <event> key=value ...`.
#pragma once

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// One key=value of an event. Text values are UTF-8; every blank in them (space, tab, line break)
// is written as `_`, so a value never contains one. Integers are written in decimal; times and
// other fractions are given as text made with rt_trace_seconds.
struct RtTraceField {
    RtTraceField(std::string_view field_key, std::string_view text);
    RtTraceField(std::string_view field_key, const char* text)
        : RtTraceField(field_key, std::string_view(text)) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) RtTraceField(std::string_view field_key, T number)
        : key(field_key), value(std::to_string(number)) {}

    std::string_view key;
    std::string value;
};

// Starts the trace in `path`, replacing its contents (and ending an open trace). Returns false
// when the file cannot be created; the trace is then closed. Thread-safe.
bool rt_trace_open(const std::filesystem::path& path);

// Ends the trace. Returns false when any event could not be written or the file could not be
// closed, so that a lost event is not reported as success. Thread-safe.
bool rt_trace_close();

// True while a trace file is open. Thread-safe.
bool rt_trace_is_open();

// From now on only the calling thread's events are written and delivered, until the trace is
// opened again. The thread that ends the process calls it first: other threads may still run
// until the exit, and what they would add depends on how the threads happen to be scheduled.
// Thread-safe.
void rt_trace_only_this_thread();

// Writes `<time> <event> key=value ...` with the time of rt_clock_seconds() to 3 decimals, flushes
// it, then calls the listeners. Events from all threads are written whole and in the order in
// which they happen; the time is read under the same lock, so times never go back in the file.
// Without a trace file and without listeners it does nothing. Thread-safe.
void rt_trace_event(std::string_view event, std::initializer_list<RtTraceField> fields = {});
void rt_trace_event(std::string_view event, std::span<const RtTraceField> fields);

// Seconds as trace text: 3 decimals ("1.250"); used for the time and for durations such as dt.
std::string rt_trace_seconds(double seconds);

// Called after an event was written (also when no trace file is open), with the values as written.
// Listeners run on the writing thread, in the order the events happen, one event at a time and
// under the trace's lock: a listener must not wait for another thread that may write events. It
// may write events itself: they are written at once and delivered after the current one.
using RtTraceListener =
    std::function<void(std::string_view event, std::span<const RtTraceField> fields)>;

// Adds a listener and returns its id. Thread-safe.
int32_t rt_trace_add_listener(RtTraceListener listener);
// Removes a listener; unknown ids are ignored. Thread-safe.
void rt_trace_remove_listener(int32_t id);
