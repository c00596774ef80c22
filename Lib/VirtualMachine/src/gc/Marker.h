// Marker: the marking phase of a collection. Marking a block sets its mark in the heap's
// record and puts it on a work list; draining the list traces each block by its GC code,
// which marks the blocks it refers to. A block is marked before it is traced, so cycles
// end, and the explicit work list keeps the native stack flat however long a chain of
// objects is.
//
// Values are followed in two ways. A reference from where the layouts say a reference is
// (a field, a cell, an array element, a root, a precise stack slot) is precise: it should
// be the address of a block's payload. Any other value that may be a reference (a
// conservatively scanned slot or word) is conservative: it keeps alive whatever block in
// use it points into.
#pragma once

#include "ClassLayouts.h"
#include "VMHeap.h"
#include "WorkList.h"

#include <algorithm>
#include <cstring>
#include <vector>

class Marker {
public:
    // What marking throws when a precise reference leads to something that is no object.
    struct InvalidReference {};

    Marker(VMHeap& aHeap, const ModuleTables& aTables);
    Marker(const Marker&) = delete;
    Marker& operator=(const Marker&) = delete;

    // A precise reference: 0 is skipped and the payload of a block in use is marked. The
    // payload of a free block or of a terminator throws InvalidReference. Any other value is
    // not the start of an object and is followed like a conservative one.
    [[gnu::always_inline]] void markReference(TUint32 value) {
        if (value == 0) return;
        const TVMAddress header = headerOf(value);
        if (header - last.start >= last.length && !findPool(header)) return;
        markIn(*last.pool, header);
    }
    // A conservative value: marks the block in use that holds the address `value` - 24, so a
    // value anywhere in a block's payload or just past it keeps the block alive. Values in
    // free blocks, in terminators or outside the pools are ignored.
    void markPointer(TUint32 value);
    // An array variable whose first word, the array reference, is `array`: marks the array
    // and, when its elements are references, its elements.
    void markArray(TUint32 array, bool elementsAreReferences);
    // An array variable whose first word is at the address `word`, which may be anything.
    void markArrayField(TVMAddress word, bool elementsAreReferences);
    // A precise reference to a block whose words are all conservative values (the globals).
    void markWithConservativeWords(TUint32 object);
    // Whether the value is the payload of a block in use that is marked already.
    bool isMarkedObject(TUint32 value) const;

    // Takes the class layouts afresh; before each collection's marking.
    void begin() {
        classes.update(tables);
        last = {};
        lastClass = kNoClass;
        lastLayout = nullptr;
    }
    // Traces every marked block that is not traced yet, and everything that leads to; marks
    // the references that wait to be marked first.
    void drain();
    // Drops the work of an abandoned collection.
    void abandon() {
        work.clear();
        waitingMarks = 0;
    }

private:
    // The words of a block in use.
    struct Payload {
        const TUint8* bytes = nullptr;
        TUint32 words = 0;
        TUint32 operator[](TUint32 index) const {
            TUint32 value;
            std::memcpy(&value, bytes + 4 * index, 4);
            return value;
        }
    };
    struct Block {
        GcCode code;
        Payload payload;
    };

    // The pool found last, with its extent copied so that the test whether it holds an
    // address is one subtraction and one comparison; an empty extent holds nothing.
    struct LastPool {
        HeapPool* pool = nullptr;
        TVMAddress start = 0;
        TUint32 length = 0;
    };

    // The layout of a class, remembered for the class met last. Objects of one class often
    // follow each other, and then the loop need not wait for the table look-up: the
    // comparison is predicted, which takes the look-up's loads off the chain of loads that
    // leads from one object to the next.
    const ClassLayouts::Layout* layoutOf(TUint32 classIndex) {
        if (classIndex != lastClass) {
            lastClass = classIndex;
            lastLayout = classes.find(classIndex);
        }
        return lastLayout;
    }

    // The pool that holds the address, or null; neighbouring objects share a pool, so the
    // last one found is tried first.
    HeapPool* poolContaining(TVMAddress address) {
        if (address - last.start < last.length) return last.pool;
        return findPool(address);
    }
    // The same without trying the last pool, which becomes the pool found.
    HeapPool* findPool(TVMAddress address) {
        HeapPool* pool = heap.poolContaining(address);
        if (pool) last = {pool, pool->start(), pool->length()};
        return pool;
    }

    // Marks the block at `header` of the pool, as markReference does.
    [[gnu::always_inline]] void markIn(HeapPool& pool, TVMAddress header) {
        const HeapPool::MarkResult result = pool.mark(header);
        if (!pushNewlyMarked(pool, header, result) && result != HeapPool::EMarkedBefore)
            markNoObject(pool, header, result);
    }
    // The same as markReference, later: tracing a churned heap meets references whose mark
    // bits lie anywhere, so each waits in a short queue while its bits are fetched. The
    // oldest is marked when the queue is full, and drain() marks all that remain. A block
    // near the one met before has its bits beside that one's, fetched already: a heap
    // allocated in order is marked at once, without the queue.
    [[gnu::always_inline]] void markLater(TUint32 value) {
        if (value == 0) return;
        const TVMAddress header = headerOf(value);
        if (header - last.start >= last.length && !findPool(header)) return;
        const bool near = header - lastLater + kNear < 2 * kNear;
        lastLater = header;
        if (near) return markIn(*last.pool, header);
        last.pool->prefetchMarks(header);
        if (waitingMarks == kWaitingMarks) markOldestWaiting();
        waiting[(firstWaiting + waitingMarks++) % kWaitingMarks] = {last.pool, header};
    }
    void markOldestWaiting() {
        const WaitingMark oldest = waiting[firstWaiting];
        firstWaiting = (firstWaiting + 1) % kWaitingMarks;
        --waitingMarks;
        markIn(*oldest.pool, oldest.header);
    }

    // Puts the block on the work list when marking it gave a new mark; returns whether it did.
    bool pushNewlyMarked(HeapPool& pool, TVMAddress header, HeapPool::MarkResult result) {
        if (!HeapPool::isNewlyMarked(result)) return false;
        work.push({pool.hostAt(header), header, pool.payloadRoom(header),
                   result == HeapPool::ENewlyMarkedOwningNative});
        return true;
    }
    void markNoObject(HeapPool& pool, TVMAddress header, HeapPool::MarkResult result);
    void markBlockHolding(HeapPool& pool, TVMAddress address);
    void trace(const MarkedBlock& marked);
    void traceNative(TVMAddress payload);
    void traceObject(Payload object);
    void traceReferenceCell(Payload cell);
    void markElements(TUint32 array);
    // The pool of the block in use whose payload is at `value`, or null.
    HeapPool* blockInUse(TUint32 value) const;
    // The code and the payload of a block in use, as far as its header's size says. The
    // header lies in memory the bytecode can write, so the room up to the end of the pool
    // bounds the size.
    static Block blockAt(const TUint8* memory, TUint32 room) {
        GcCode code;
        TUint32 size;
        std::memcpy(&code, memory + kGcCodeOffset, 4);
        std::memcpy(&size, memory + kSizeOffset, 4);
        return {code, {memory + kHeaderBytes, std::min(size, room) / 4}};
    }
    static Block block(const HeapPool& pool, TVMAddress header) {
        return blockAt(pool.hostAt(header), pool.payloadRoom(header));
    }

    VMHeap& heap;
    AddressSpace& space;
    const ModuleTables& tables;
    ClassLayouts classes;
    WorkList work;
    LastPool last;
    static constexpr TUint32 kNoClass = ~TUint32{0}; // names no class: find() gives null
    TUint32 lastClass = kNoClass;
    const ClassLayouts::Layout* lastLayout = nullptr;
    Vec<int> reported; // the references a native object reports
    struct WaitingMark {
        HeapPool* pool;
        TVMAddress header;
    };
    static constexpr TUint32 kWaitingMarks = 16; // a power of two
    WaitingMark waiting[kWaitingMarks] = {};
    TUint32 firstWaiting = 0;
    TUint32 waitingMarks = 0;
    static constexpr TUint32 kNear = 512; // bytes either side
    TVMAddress lastLater = 0;             // the block that markLater met last
};
