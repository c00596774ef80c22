// Marker: the marking phase of a collection. A reference met is put on a work list;
// draining the list marks each block it names (its mark in the heap's record) and, when the
// mark is new, traces the block by its GC code, which puts the references it holds on the
// list. A block is traced once, when it is first marked, so cycles end, and the explicit
// work list keeps the native stack flat however long a chain of objects is.
//
// Values are followed in two ways. A reference from where the layouts say a reference is
// (a field, a cell, an array element, a root, a precise stack slot) is precise: it should
// be the address of a block's payload. Any other value that may be a reference (a
// conservatively scanned slot or word) is conservative: it keeps alive whatever block in
// use it points into.
#pragma once

#include "ClassLayouts.h"
#include "MarkingShare.h"
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
    // payload of a free block or of a terminator makes drain() throw InvalidReference. Any
    // other value is not the start of an object and is followed like a conservative one.
    void markReference(TUint32 value) {
        if (value != 0) work.push(value);
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
    // Marks and traces every reference on the work list, and everything that leads to.
    void drain();
    // The same, but stops once the work list holds `references` references, enough work for
    // two markers to share; returns whether the marking is done.
    bool drainUntilListHolds(std::size_t references);

    // Makes this marker marker `aSelf` (0 or 1) of the two that share `aShare`.
    void shareWith(MarkingShare& aShare, int aSelf) {
        share = &aShare;
        self = aSelf;
    }
    // Drains together with the other marker, which runs on another thread, until neither
    // has work left; the marks are then complete. Blocks either meets are marked once,
    // by atomic operations.
    void drainShared();

    // Drops the work of an abandoned collection.
    void abandon() { work.clear(); }

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

    // The pool that holds the address, or null. Neighbouring objects share a pool, so the
    // last one found or visited is tried first.
    HeapPool* poolContaining(TVMAddress address) {
        if (address - last.start < last.length) return last.pool;
        HeapPool* pool = heap.poolContaining(address);
        if (pool) remember(*pool);
        return pool;
    }
    void remember(HeapPool& pool) { last = {&pool, pool.start(), pool.length()}; }

    // A reference taken from the work list, its pool found and its memory on the way while
    // it waits in drain()'s queue.
    struct Pending {
        HeapPool* pool;
        HeapPool::MarkSite site; // of the block's header
    };
    // Drains the work list; unless shared, stops (false) once it holds `stopAt` references.
    template <bool kShared> bool drainQueued(std::size_t stopAt);
    // Marks the block a reference names and traces it when the mark is new. The references
    // the block holds come off the work list next, and often lie in its pool.
    template <bool kShared> [[gnu::always_inline]] void visit(const Pending& pending) {
        HeapPool& pool = *pending.pool;
        remember(pool);
        const TVMAddress header = pool.start() + pending.site.offset;
        const HeapPool::MarkResult result = pool.mark<kShared>(pending.site);
        if (HeapPool::isNewlyMarked(result)) [[likely]]
            return trace(pool, header, result == HeapPool::ENewlyMarkedOwningNative);
        if (result != HeapPool::EMarkedBefore) markNoObject(pool, header, result);
    }
    void markNoObject(HeapPool& pool, TVMAddress header, HeapPool::MarkResult result);
    void markBlockHolding(HeapPool& pool, TVMAddress address);
    void trace(HeapPool& pool, TVMAddress header, bool ownsNative);
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
    Vec<int> reported;             // the references a native object reports
    MarkingShare* share = nullptr; // while marking is shared: what the two markers share
    int self = 0;
};
