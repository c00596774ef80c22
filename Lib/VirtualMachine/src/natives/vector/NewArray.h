// An array made by a native. The collector does not trace an array record by itself (only
// through an array variable), so the array and its storage are kept as roots while the
// native still holds them only in C++ variables: until this object goes, the native can
// allocate more and then store the array where the application reaches it.
#pragma once

#include "ScopedRoot.h"
#include "Types.h"
#include "VMHeap.h"

#include <span>

class NewArray {
public:
    // An array of `elementSize`-byte elements holding `elements` (whole elements, as bytes).
    NewArray(VMHeap& heap, TInt32 elementSize, std::span<const TUint8> elements);
    // An array of `times` copies of one element (its bytes).
    NewArray(VMHeap& heap, std::span<const TUint8> element, TInt32 times);

    TVMAddress address() const { return record; }

private:
    // Fills the array; returns its storage, 0 when it has none.
    static TVMAddress fill(VMHeap& heap, TVMAddress record, std::span<const TUint8> elements);
    static TVMAddress fillRepeated(VMHeap& heap, TVMAddress record, std::span<const TUint8> element,
                                   TInt32 times);

    TVMAddress record;
    ScopedRoot keepArray;
    ScopedRoot keepStorage;
};
