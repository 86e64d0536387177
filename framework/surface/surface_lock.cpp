// The surface lock's slow paths: turns, asking the holder for the surface, and the barrier.
#include "framework/surface/surface_lock.h"

#include "runtime/thread_hold.h"

#include <cassert>
#include <memory>
#include <vector>

#if defined(__linux__)
#include <linux/membarrier.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace framework {

// Why the holder's calls need no read-modify-write. A holder entering a call stores its
// `in_call` and then reads the hold; a thread asking for the surface stores ASKED_FOR into the
// hold and then reads the holder's `in_call`. Each side's store must be visible before its read,
// or both could go ahead: the holder drawing, the asking thread copying. Either both sides use
// sequentially consistent operations (a locked instruction on every entry), or the holder's side
// stays plain and the asking thread, after its store, runs the process-wide barrier of the
// kernel: when the barrier returns, every other thread of the process has executed a full memory
// fence. A holder store from before that fence is visible to the asking thread's read; a holder
// read from after it sees ASKED_FOR. So either the asking thread sees the holder inside its call
// (and the holder hands the surface over at its unlock(), whose read of the hold comes after the
// fence), or the holder sees ASKED_FOR on entry and backs out without touching the surface.
//
// Asking is rare (a repaint, another drawing thread), so its barrier is cheap next to a
// locked instruction on every drawing call. ThreadSanitizer cannot see the kernel's barrier;
// its builds use the sequentially consistent side.
namespace {

#if defined(__linux__) && !defined(__SANITIZE_THREAD__)
bool register_process_barrier() {
    const long commands = syscall(SYS_membarrier, MEMBARRIER_CMD_QUERY, 0, 0);
    if (commands < 0 || (commands & MEMBARRIER_CMD_PRIVATE_EXPEDITED) == 0)
        return false;
    return syscall(SYS_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0) == 0;
}

void process_barrier() {
    [[maybe_unused]] const long result =
        syscall(SYS_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0);
    assert(result == 0);
}
#else
bool register_process_barrier() {
    return false;
}

void process_barrier() {}
#endif

// The records of every thread that ever locked a surface, reachable for leak checkers.
std::mutex g_records_mutex;
std::vector<std::unique_ptr<detail::LockingThread>>* g_records = nullptr;

// The calling thread's record, made on its first slow lock. The barrier is chosen before the
// first record exists, so before any thread can hold a surface.
detail::LockingThread& this_thread_record() {
    if (detail::LockingThread* record = detail::t_locking_thread)
        return *record;
    std::lock_guard lock(g_records_mutex);
    if (!g_records) {
        g_records = new std::vector<std::unique_ptr<detail::LockingThread>>();
        detail::g_asymmetric_barrier.store(register_process_barrier() ? 1 : 0,
                                           std::memory_order_relaxed);
    }
    g_records->push_back(std::make_unique<detail::LockingThread>());
    detail::t_locking_thread = g_records->back().get();
    return *detail::t_locking_thread;
}

} // namespace

void SurfaceLock::take_turn() {
    detail::LockingThread& self = this_thread_record();
    // Inside a call on another surface this thread is that surface's holder; this surface is
    // taken as a plain turn.
    const bool nested = self.in_call.load(std::memory_order_relaxed) != nullptr;
    std::unique_lock gate(m_gate);
    // Our own hold, asked for or not usable while nested: end it and queue behind the waiters.
    if (holder_of(m_hold.load(std::memory_order_relaxed)) == &self)
        end_turn();
    const uint64_t ticket = m_next_ticket++;
    while (m_serving != ticket) {
        ask_holder();
        if (m_serving != ticket)
            m_turn_changed.wait(gate);
    }
    if (nested)
        return;
    // Become the holder; asked for already when others are waiting, so that they come next.
    const bool waiters = m_next_ticket != ticket + 1;
    self.in_call.store(this, std::memory_order_seq_cst);
    m_hold.store(hold_word(&self) | (waiters ? ASKED_FOR : 0), std::memory_order_seq_cst);
}

// A paused program's thread stops here, before its outermost call, with the surface let go:
// pausing took the lock to let the call in progress end, and asks for every surface after the
// hold has begun, so a held thread's next call always comes this way. A lock nested inside a call
// on another surface is no place to stop: the thread stops at its next outermost call.
void SurfaceLock::lock_slow() {
    take_turn();
    while (rt_hold_stops_this_thread() && in_call_by_this_thread()) {
        unlock();
        rt_hold_point();
        take_turn();
    }
}

void SurfaceLock::unlock_plain() {
    std::lock_guard gate(m_gate);
    end_turn();
}

// The holder left a call and found its hold asked for, or already ended by an asking thread.
void SurfaceLock::hand_over(detail::LockingThread& self) {
    std::lock_guard gate(m_gate);
    if (holder_of(m_hold.load(std::memory_order_relaxed)) == &self)
        end_turn();
}

void SurfaceLock::ask_holder() {
    const uintptr_t word = m_hold.load(std::memory_order_relaxed);
    if (word == 0)
        return;
    if ((word & ASKED_FOR) == 0) {
        m_hold.store(word | ASKED_FOR, std::memory_order_seq_cst);
        if (asymmetric())
            process_barrier();
    }
    // Outside a call on this surface the holder is idle here: its hold ends now, and the
    // acquire pairs with the release of its last call, so that the next turn sees its drawing.
    if (holder_of(word)->in_call.load(std::memory_order_seq_cst) != this)
        end_turn();
}

void SurfaceLock::end_turn() {
    m_hold.store(0, std::memory_order_seq_cst);
    ++m_serving;
    m_turn_changed.notify_all();
}

} // namespace framework
