// Layout of a heap block in machine memory: a six-word header, the payload, then a one-word
// trailer holding the block's total length. The address of the payload is the object's
// address. Headers live where the bytecode can write, so the heap checks every header it
// relies on against its own record (see VMHeap).
#pragma once

#include "AddressSpace.h"
#include "GcCodes.h"
#include "Types.h"

#include <cstddef>
#include <cstring>

inline constexpr TUint32 kHeaderBytes = 24, kTrailerBytes = 4, kBlockOverhead = 28;
inline constexpr TInt32 kNativeObjectFlag = -1;

inline TVMAddress headerOf(TVMAddress object) {
    return object - kHeaderBytes;
}
inline TVMAddress payloadOf(TVMAddress header) {
    return header + kHeaderBytes;
}

// The six header words, in memory order.
struct HeapEntry {
    TUint32 actualSize = 0; // bytes the creator asked for, rounded up to a whole word
    TUint32 size = 0;       // payload capacity; may exceed actualSize when not split
    TInt32 nativeFlag = 0;  // kNativeObjectFlag when the payload holds a native-object handle
    TUint32 mark = 0;       // 1 while marked during a collection
    GcCode gcCode = GC_CODE_FREE;
    TUint32 freeHeapEntryIterator = 0; // free-list node index; 0 when in use or a terminator

    bool operator==(const HeapEntry&) const = default;
};
static_assert(sizeof(HeapEntry) == kHeaderBytes);

inline constexpr TUint32 kSizeOffset = offsetof(HeapEntry, size);
inline constexpr TUint32 kGcCodeOffset = offsetof(HeapEntry, gcCode);

// The boundary blocks at both ends of a pool.
inline constexpr HeapEntry kTerminator{0, 0, 0, 0, GC_CODE_TERMINATOR, 0};

inline HeapEntry loadHeapEntry(const AddressSpace& space, TVMAddress header) {
    HeapEntry entry;
    std::memcpy(&entry, space.hostPointer(header, kHeaderBytes), kHeaderBytes);
    return entry;
}

// The header words at `block`, one by one: copying a header built in registers or on the
// stack as one 24-byte block makes the processor read it back wider than it was written,
// a stall that cost more than all the rest of an allocation.
inline void writeHeader(TUint8* block, const HeapEntry& entry) {
    const auto put = [block](TUint32 word, TUint32 value) {
        std::memcpy(block + word * sizeof(TUint32), &value, sizeof(TUint32));
    };
    put(0, entry.actualSize);
    put(1, entry.size);
    put(2, static_cast<TUint32>(entry.nativeFlag));
    put(3, entry.mark);
    put(4, static_cast<TUint32>(entry.gcCode));
    put(5, entry.freeHeapEntryIterator);
}

inline void storeHeapEntry(AddressSpace& space, TVMAddress header, const HeapEntry& entry) {
    writeHeader(static_cast<TUint8*>(space.hostPointer(header, kHeaderBytes)), entry);
}

// The header and the trailer of a block whose host memory starts at `block`.
inline void writeHeaderAndTrailer(TUint8* block, const HeapEntry& entry) {
    writeHeader(block, entry);
    const TUint32 length = entry.size + kBlockOverhead;
    std::memcpy(block + kHeaderBytes + entry.size, &length, kTrailerBytes);
}
