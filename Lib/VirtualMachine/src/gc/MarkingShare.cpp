#include "MarkingShare.h"

#include <utility>

namespace {

// A hungry marker spins this many turns before it sleeps until something happens: the
// other marker usually answers within them, and a thread that sleeps at once would wait
// for the scheduler to wake it.
constexpr unsigned kSpinningTurns = 1u << 10;

void spinATurn() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

} // namespace

void MarkingShare::offer(int self, WorkList& work) {
    const std::size_t count = work.size() / 2;
    if (count == 0) return;
    // The batch counts as busy before the peer can see it, so `busy` cannot pass zero.
    busy.fetch_add(1, std::memory_order_relaxed);
    {
        const std::lock_guard<std::mutex> guard(lock);
        hungry[1 - self].store(false, std::memory_order_relaxed);
        work.moveTop(count, offered);
        ++batches;
        hasOffer.store(true, std::memory_order_release);
    }
    signal();
}

bool MarkingShare::awaitWork(int self, WorkList& work) {
    if (busy.fetch_sub(1, std::memory_order_acq_rel) == 1) signal(); // the marking has ended
    hungry[self].store(true, std::memory_order_relaxed);
    for (unsigned turns = 0;; ++turns) {
        const TUint32 seen = events.load(std::memory_order_acquire);
        if (hasOffer.load(std::memory_order_acquire)) {
            // Busy again before the batches stop counting.
            busy.fetch_add(1, std::memory_order_relaxed);
            if (const int taken = take(self, work); taken > 0) {
                busy.fetch_sub(taken, std::memory_order_release);
                return true;
            }
            if (busy.fetch_sub(1, std::memory_order_acq_rel) == 1) signal();
        }
        if (hasFailed() || busy.load(std::memory_order_acquire) == 0) {
            hungry[self].store(false, std::memory_order_relaxed);
            return false;
        }
        if (turns < kSpinningTurns)
            spinATurn();
        else
            events.wait(seen, std::memory_order_acquire);
    }
}

void MarkingShare::fail() {
    failed.store(true, std::memory_order_release);
    signal();
}

void MarkingShare::signal() {
    events.fetch_add(1, std::memory_order_release);
    events.notify_all();
}

int MarkingShare::take(int self, WorkList& work) {
    const std::lock_guard<std::mutex> guard(lock);
    if (batches == 0) return 0;
    work.pushAll(offered);
    offered.clear();
    hasOffer.store(false, std::memory_order_relaxed);
    hungry[self].store(false, std::memory_order_relaxed); // set again when it runs out
    return std::exchange(batches, 0);
}
