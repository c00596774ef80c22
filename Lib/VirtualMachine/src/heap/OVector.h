// An application array: a record of four words in a GC_CODE_VECTOR block, {type tag
// (the element size in bytes), address of the element storage block, capacity, size}.
// The element storage is a separate GC_CODE_DATA block of capacity × element size bytes,
// zero-filled, so new elements are 0. Both live in memory the bytecode can write, so a
// view checks the record before it trusts it.
#pragma once

#include "AddressSpace.h"
#include "GcCodes.h"
#include "Types.h"

#include <span>
#include <vector>

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

    // Bulk editing for the array natives.
    // A new empty array and right after it an array variable block {array, 0} with the
    // given GC code, made as one paired allocation; returns the variable.
    static TVMAddress createInVariable(VMHeap& heap, TInt32 elementSize, GcCode variableCode);
    // A byte array holding a copy of the bytes: a new array in a new
    // GC_CODE_PRIMITIVE_ARRAY_REF variable block; returns the variable.
    static TVMAddress createByteArray(VMHeap& heap, std::span<const TUint8> bytes);
    // Raises InvalidArgumentException when storage for that many elements would not fit
    // in one heap block.
    static void requireStorable(TInt64 elements, TInt32 elementSize);
    TVMAddress storageAddress() const { return storage; }
    // Copies of `n` elements from `index` on, as bytes; elements outside the array raise
    // IndexOutOfBoundsException.
    std::vector<TUint8> elementBytes(TInt32 index, TInt32 n) const;
    // Replaces `removed` elements at `index` (which must exist) by `inserted`, whole
    // elements as bytes held outside the machine. The elements stay in their storage when
    // it has room, unless a removal leaves it at most half used and smaller storage would
    // do; otherwise they move to new storage for the new size and the old storage is left
    // to the collector. An array left empty releases its storage.
    void splice(TInt32 index, TInt32 removed, std::span<const TUint8> inserted);
    // Fills an empty array with `times` copies of one element (its bytes), as splice(0, 0,
    // the copies) would, writing them straight into the new storage.
    void fillRepeated(std::span<const TUint8> element, TInt32 times);
    // Fills `target` with copies of `element`, whose size divides the target's: one copy,
    // then the copies made so far, doubling each time.
    static void copyRepeatedly(std::span<const TUint8> element, std::span<TUint8> target);

private:
    void grow();
    bool keepsStorage(TInt32 newCount, bool removalOnly) const;
    void spliceInPlace(TInt32 index, TInt32 removed, std::span<const TUint8> inserted);
    void spliceIntoNewStorage(TInt32 index, TInt32 removed, std::span<const TUint8> inserted,
                              TInt32 newCount);
    void releaseStorage();

    VMHeap& heap;
    AddressSpace& space;
    TVMAddress record;
    TInt32 width;
    TVMAddress storage;
    TInt32 room;
    TInt32 count;
};
