// An application array: a record of four words in a GC_CODE_VECTOR block, {type tag
// (the element size in bytes), address of the element storage block, capacity, size}.
// The element storage is a separate GC_CODE_DATA block of capacity × element size bytes.
#pragma once

#include "AddressSpace.h"
#include "Types.h"

class VMHeap;

struct OVector {
    enum Word : TUint32 { ETypeTag = 0, EStorage = 4, ECapacity = 8, ESize = 12 };
    static constexpr TUint32 kRecordBytes = 16;

    // Capacity of new storage for n elements: max(10, floor(n * 1.2)).
    static TInt32 capacityFor(TInt32 elements);
    static bool isElementSize(TInt32 bytes) {
        return bytes == 1 || bytes == 4 || bytes == 8 || bytes == 12 || bytes == 16;
    }
    // A new empty array record; returns its address.
    static TVMAddress create(VMHeap& heap, TInt32 elementSize);
};
