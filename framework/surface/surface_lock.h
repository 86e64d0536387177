// The lock of a drawing surface, which stays with its drawing thread between calls until another
// thread asks for it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace framework {

class SurfaceLock;

namespace detail {

// One per thread that has locked a surface. `in_call` names the surface the thread is inside a
// call on, so that a thread asking for a surface can tell a holder in the middle of a call from an
// idle one. Never freed: a surface may still name the record after its thread has ended.
struct LockingThread {
    std::atomic<const SurfaceLock*> in_call{nullptr};
};

inline thread_local LockingThread* t_locking_thread = nullptr;

// How the entry of a call is ordered against a thread asking for the surface (see
// surface_lock.cpp). Chosen before the first surface is held and fixed afterwards.
inline std::atomic<int32_t> g_asymmetric_barrier{0};

} // namespace detail

// A fair lock (first come, first served) for one drawing call at a time, cheap for the thread that
// draws most. The first lock() of a thread goes through the slow path: it waits its turn and then
// keeps the lock after unlock(), as the surface's holder. The holder's next lock() and unlock()
// take no atomic read-modify-write and no system call: each publishes in its thread's record
// whether the thread is inside a call on this surface, and checks that nobody has asked for the
// surface meanwhile.
//
// Another thread asking for the surface marks the hold as asked for. A holder inside a call hands
// the surface over at the unlock() of that call; a holder outside a call (idle between calls,
// waiting for input, asleep) is relieved of its hold at once by the asking thread, so a repaint
// never waits for the drawing thread to make another call, and never sees a call half done.
//
// A thread may hold several surfaces between calls, but is inside a call on one at a time as the
// holder: a lock() nested inside a call on another surface takes its surface as a plain lock,
// released at its unlock(). The lock is not recursive. Thread-safe.
//
// While the program is paused (runtime/thread_hold.h) a held thread stops in the slow path,
// before its outermost call, with the surface let go. The holder's fast path does not look:
// pausing asks for every surface after the hold has begun, which sends it the slow way.
class SurfaceLock {
public:
    SurfaceLock() = default;
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

    void lock() {
        detail::LockingThread* self = detail::t_locking_thread;
        if (self && m_hold.load(std::memory_order_relaxed) == hold_word(self) &&
            self->in_call.load(std::memory_order_relaxed) == nullptr && enter_held_call(*self))
            return;
        lock_slow();
    }

    void unlock() {
        detail::LockingThread& self = *detail::t_locking_thread;
        if (self.in_call.load(std::memory_order_relaxed) != this) {
            unlock_plain();
            return;
        }
        leave_held_call(self);
        if (m_hold.load(asymmetric() ? std::memory_order_relaxed : std::memory_order_seq_cst) !=
            hold_word(&self))
            hand_over(self);
    }

    // Whether the calling thread holds this lock for its outermost call: the thread is inside a
    // call on this surface as its holder, not through a lock nested in a call on another one.
    bool in_call_by_this_thread() const {
        const detail::LockingThread* self = detail::t_locking_thread;
        return self && self->in_call.load(std::memory_order_relaxed) == this;
    }

private:
    // The hold: the holder's record with ASKED_FOR set when another thread asks for the surface,
    // or 0 for no holder. Records are aligned, so the low bit is free.
    static constexpr uintptr_t ASKED_FOR = 1;
    static uintptr_t hold_word(const detail::LockingThread* thread) {
        return reinterpret_cast<uintptr_t>(thread);
    }
    static detail::LockingThread* holder_of(uintptr_t word) {
        return reinterpret_cast<detail::LockingThread*>(word & ~ASKED_FOR);
    }

#if defined(__SANITIZE_THREAD__)
    static bool asymmetric() {
        return false;
    }
#else
    static bool asymmetric() {
        return detail::g_asymmetric_barrier.load(std::memory_order_relaxed) != 0;
    }
#endif

    // Marks the thread inside a call on this surface, then checks that the hold is still its own
    // and not asked for. The store must be seen by an asking thread before the check reads the
    // hold; with the asymmetric barrier the asking thread's barrier provides that order.
    bool enter_held_call(detail::LockingThread& self) {
        if (asymmetric()) {
            // Release: a thread asking for another surface this thread holds idle may find it
            // inside this call, and must then see its drawing on that surface.
            self.in_call.store(this, std::memory_order_release);
            std::atomic_signal_fence(std::memory_order_seq_cst);
            if (m_hold.load(std::memory_order_acquire) == hold_word(&self))
                return true;
        } else {
            self.in_call.store(this, std::memory_order_seq_cst);
            if (m_hold.load(std::memory_order_seq_cst) == hold_word(&self))
                return true;
        }
        self.in_call.store(nullptr, std::memory_order_release);
        return false;
    }

    void leave_held_call(detail::LockingThread& self) {
        if (asymmetric()) {
            self.in_call.store(nullptr, std::memory_order_release);
            std::atomic_signal_fence(std::memory_order_seq_cst);
        } else {
            self.in_call.store(nullptr, std::memory_order_seq_cst);
        }
    }

    // Takes a turn, and stops there while the program is paused (runtime/thread_hold.h).
    void lock_slow();
    void take_turn();
    void unlock_plain();
    void hand_over(detail::LockingThread& self);
    // With m_gate held: asks the holder for the surface, and ends the hold when the holder is
    // outside a call.
    void ask_holder();
    // With m_gate held: ends the current turn, the holder's or a plain one.
    void end_turn();

    std::atomic<uintptr_t> m_hold{0};
    std::mutex m_gate; // guards the turns, and every change of m_hold
    std::condition_variable m_turn_changed;
    uint64_t m_next_ticket = 0;
    uint64_t m_serving = 0;
};

} // namespace framework
