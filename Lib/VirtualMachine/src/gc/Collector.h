// Collector: the machine's mark-and-sweep collections. Both kinds mark from the heap's root
// list and from the globals block, then sweep; the full collection first marks from the
// operand stack. Objects never move.
//
// The globals block is a root, but its code (GC_CODE_DATA) says nothing about its words, and
// the module gives no layout for them; its words are therefore followed as conservative
// values, which keeps alive whatever the application holds only in a global.
//
// A collection that meets a reference to a free block (or a terminator, or a malformed
// reference cell) is abandoned before its sweep, with nothing freed and every mark cleared.
//
// On a large heap, two markers share the marking, the second on a thread of its own: the
// pause of a collection is then about half as long where marking waits for memory.
#pragma once

#include "Marker.h"
#include "MarkingThread.h"
#include "OperandStackView.h"

#include <memory>

class Collector {
public:
    // A heap of this many pools (8 MB) or more is marked by two markers once the work list
    // holds kListToShare references, when the host has two processors. For less, one
    // marker takes a millisecond or two, and sharing would shorten that pause by a little
    // more than half at the cost of a sixth more processor time (waking the second thread,
    // its waits and the atomic marks): an application that keeps 100,000 objects and
    // replaces a tenth of them on every timer call measured 0.22 s against 0.26 s. A chain
    // of objects, which one marker follows reference by reference, is marked without atomic
    // operations. In the collector's stress mode every collection shares its marking from
    // the start.
    static constexpr TInt32 kPoolsToShare = 128;
    static constexpr std::size_t kListToShare = 1024;

    Collector(VMHeap& aHeap, const ModuleTables& aTables);

    // Each returns false when the collection was abandoned. A collection asked for while one
    // runs (by a destructor that allocates, say) does not start.
    bool collectFromRoots(TVMAddress globals);
    bool collectWithStack(const OperandStackView& stack, TVMAddress globals);

private:
    template <class MarkFirst> bool collect(TVMAddress globals, MarkFirst markFirst);
    void drain();
    void abandon();

    VMHeap& heap;
    Marker marker;
    Marker partner; // the second marker
    MarkingShare share;
    TInt32 poolsToShare = kPoolsToShare;
    std::size_t listToShare = kListToShare;
    std::unique_ptr<MarkingThread> thread; // the partner's, started when first needed
    bool collecting = false;
};
