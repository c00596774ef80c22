// An application array: a record of four words in a GC_CODE_VECTOR block, {type tag
// (the element size in bytes), address of the element storage block, capacity, size}.
// The element storage is a separate GC_CODE_DATA block of capacity × element size bytes,
// zero-filled, so new elements are 0. Both live in memory the bytecode can write, so a
// view checks the record before it trusts it.
#pragma once

#include "AddressSpace.h"
#include "Types.h"

class VMHeap;

class OVector {
public:
    enum Word : TUint32 { ETypeTag = 0, EStorage = 4, ECapacity = 8, ESize = 12 };
    static constexpr TUint32 kRecordBytes = 16;

    // Capacity of new storage for n elements: max(10, floor(n * 1.2)).
    static TInt32 capacityFor(TInt32 elements);
    static bool isElementSize(TInt32 bytes) {
        return bytes == 1 || bytes == 4 || bytes == 8 || bytes == 12 || bytes == 16;
    }
    // A new empty array record; returns its address.
    static TVMAddress create(VMHeap& heap, TInt32 elementSize);

    // A view of the array record at `record`; a record that is not a consistent array
    // is a fatal machine error.
    OVector(VMHeap& heap, TVMAddress record);

    TInt32 size() const { return count; }
    TInt32 capacity() const { return room; }
    TInt32 elementSize() const { return width; }
    // The address of element `index`; outside [0, size) raises IndexOutOfBoundsException.
    TVMAddress elementAddress(TInt32 index) const;
    // Opens a zeroed element at `index`, moving the later ones up, and returns its
    // address; outside [0, size] raises IndexOutOfBoundsException. A full array gets new
    // storage for size + 1 elements; the old storage is left to the collector.
    TVMAddress insert(TInt32 index);
    TVMAddress append() { return insert(count); }

private:
    void grow();

    VMHeap& heap;
    AddressSpace& space;
    TVMAddress record;
    TInt32 width;
    TVMAddress storage;
    TInt32 room;
    TInt32 count;
};
