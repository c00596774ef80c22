#include "Collector.h"

#include "StackScan.h"

Collector::Collector(VMHeap& aHeap, const ModuleTables& aTables)
    : heap(aHeap), marker(aHeap, aTables) {}

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
        marker.drain();
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

void Collector::abandon() {
    marker.abandon();
    heap.clearMarks();
    collecting = false;
}
