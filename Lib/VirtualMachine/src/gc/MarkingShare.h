// MarkingShare: what two markers share while they drain one collection's work together.
// Each keeps its own work list; a marker that runs out says it is hungry, and the other,
// which looks at that flag once per block, hands over half of its list. Marks are set by
// atomic operations (HeapPool::mark<true>), so it does not matter which marker meets a
// block first.
//
// The marking ends when no marker is busy and no handed-over work waits: `busy` counts the
// markers at work and the batches handed over but not yet taken, so it reaches zero only
// then, and once zero nothing can raise it again.
#pragma once

#include "WorkList.h"

#include <atomic>
#include <mutex>
#include <vector>

class MarkingShare {
public:
    static constexpr int kMarkers = 2;

    // Before each collection both markers count as busy.
    void begin() {
        busy.store(kMarkers, std::memory_order_relaxed);
        failed.store(false, std::memory_order_relaxed);
        for (std::atomic<bool>& flag : hungry)
            flag.store(false, std::memory_order_relaxed);
    }
    bool peerIsHungry(int self) const { return hungry[1 - self].load(std::memory_order_relaxed); }
    // Hands half of `work` to the hungry peer; a list of one reference is kept.
    void offer(int self, WorkList& work);
    // Called by a marker whose work has run out: waits until work is handed to it (true,
    // the work is on `work`) or the marking has ended or failed (false).
    bool awaitWork(int self, WorkList& work);
    // A marker failed: the other stops when it next runs out of work.
    void fail();
    bool hasFailed() const { return failed.load(std::memory_order_acquire); }
    // Drops work handed over in an abandoned collection.
    void clear() {
        const std::lock_guard<std::mutex> guard(lock);
        offered.clear();
        batches = 0;
    }

private:
    // Wakes a marker that sleeps in awaitWork(): work was offered, or the marking ended.
    void signal();
    // Moves the offered references onto the work list of marker `self`; returns how many
    // batches they were.
    int take(int self, WorkList& work);

    std::atomic<int> busy{0};
    std::atomic<bool> failed{false};
    std::atomic<bool> hungry[kMarkers]{};
    std::atomic<bool> hasOffer{false};
    std::atomic<TUint32> events{0}; // counts signal(), which a sleeping marker waits for
    std::mutex lock;                // guards `offered` and `batches`
    std::vector<TUint32> offered;
    int batches = 0;
};
