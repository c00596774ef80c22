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
#pragma once

#include "Marker.h"
#include "OperandStackView.h"

class Collector {
public:
    Collector(VMHeap& aHeap, const ModuleTables& aTables);

    // Each returns false when the collection was abandoned. A collection asked for while one
    // runs (by a destructor that allocates, say) does not start.
    bool collectFromRoots(TVMAddress globals);
    bool collectWithStack(const OperandStackView& stack, TVMAddress globals);

private:
    template <class MarkFirst> bool collect(TVMAddress globals, MarkFirst markFirst);
    void abandon();

    VMHeap& heap;
    Marker marker;
    bool collecting = false;
};
