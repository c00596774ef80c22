#include "Collector.h"

#include "StackScan.h"
#include "StressCollection.h"

#include <limits>

Collector::Collector(VMHeap& aHeap, const ModuleTables& aTables)
    : heap(aHeap), marker(aHeap, aTables), partner(aHeap, aTables) {
    if (std::thread::hardware_concurrency() < 2) {
        poolsToShare = std::numeric_limits<TInt32>::max();
    } else if (StressCollection::requested()) {
        poolsToShare = 0;
        listToShare = 0;
    }
    marker.shareWith(share, 0);
    partner.shareWith(share, 1);
}

bool Collector::collectFromRoots(TVMAddress globals) {
    return collect(globals, [] {});
}

bool Collector::collectWithStack(const OperandStackView& stack, TVMAddress globals) {
    return collect(globals, [&] { markFromOperandStack(marker, stack); });
}

template <class MarkFirst> bool Collector::collect(TVMAddress globals, MarkFirst markFirst) {
    if (collecting) return true;
    collecting = true;
    try {
        marker.begin();
        markFirst();
        for (const TVMAddress root : heap.roots())
            marker.markReference(payloadOf(root));
        if (globals != 0) marker.markWithConservativeWords(globals);
        drain();
        heap.sweep();
    } catch (const Marker::InvalidReference&) {
        abandon();
        return false;
    } catch (...) {
        // A heap the application has damaged, found by the sweep's checks.
        abandon();
        throw;
    }
    collecting = false;
    return true;
}

void Collector::drain() {
    if (heap.poolCount() < poolsToShare) return marker.drain();
    if (marker.drainUntilListHolds(listToShare)) return;
    if (!thread) thread = std::make_unique<MarkingThread>(partner);
    partner.begin();
    share.begin();
    thread->startDraining();
    std::exception_ptr failure;
    try {
        marker.drainShared();
    } catch (...) {
        failure = std::current_exception();
    }
    // The partner's marks and failure are seen here once it has finished.
    const std::exception_ptr partnerFailure = thread->finishDraining();
    if (!failure) failure = partnerFailure;
    if (failure) std::rethrow_exception(failure);
}

void Collector::abandon() {
    marker.abandon();
    partner.abandon();
    share.clear();
    heap.clearMarks();
    collecting = false;
}
