#include "Marker.h"

#include "OVector.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// A reference to something that is not an object: a free block or a terminator.
[[noreturn]] void invalidReference() {
    throw Marker::InvalidReference();
}

} // namespace

Marker::Marker(VMHeap& aHeap, const ModuleTables& aTables)
    : heap(aHeap), space(aHeap.memory()), tables(aTables) {}

// A precise reference that is not the start of a block in use.
void Marker::markNoObject(HeapPool& pool, TVMAddress header, HeapPool::MarkResult result) {
    if (result == HeapPool::ENotInUse) invalidReference();
    markBlockHolding(pool, header);
}

void Marker::markPointer(TUint32 value) {
    const TVMAddress address = value - kHeaderBytes;
    if (HeapPool* pool = poolContaining(address)) markBlockHolding(*pool, address);
}

void Marker::markArray(TUint32 array, bool elementsAreReferences) {
    if (array == 0) return;
    markReference(array);
    if (elementsAreReferences) markElements(array);
}

void Marker::markArrayField(TVMAddress word, bool elementsAreReferences) {
    if (space.contains(word, 4)) markArray(space.load32(word), elementsAreReferences);
}

void Marker::markWithConservativeWords(TUint32 object) {
    markReference(object);
    const HeapPool* pool = blockInUse(object);
    if (!pool) return;
    const Payload words = block(*pool, headerOf(object)).payload;
    // Most of a large globals block is zero: runs of zero words are skipped eight at a
    // time, so that its scan costs about what reading it costs.
    constexpr TUint32 kRun = 8;
    TUint32 i = 0;
    for (; i + kRun <= words.words; i += kRun) {
        TUint64 run[kRun / 2];
        std::memcpy(run, words.bytes + 4 * i, sizeof run);
        if ((run[0] | run[1] | run[2] | run[3]) == 0) continue;
        for (TUint32 k = i; k < i + kRun; ++k)
            markPointer(words[k]);
    }
    for (; i < words.words; ++i)
        markPointer(words[i]);
}

bool Marker::isMarkedObject(TUint32 value) const {
    const HeapPool* pool = blockInUse(value);
    return pool && pool->isMarked(headerOf(value));
}

// Free blocks and terminators that hold the address are ignored.
void Marker::markBlockHolding(HeapPool& pool, TVMAddress address) {
    const TVMAddress header = pool.blockContaining(address);
    if (pool.isInUse(header)) work.push(payloadOf(header));
}

// Kept in one piece with trace(), the marking loop's hot path.
[[gnu::always_inline]] inline void Marker::traceObject(Payload object) {
    const ClassLayouts::Layout* layout = object.words > 0 ? layoutOf(object[0]) : nullptr;
    if (!layout) return;
    for (const TUint32 field : layout->references) {
        if (field < object.words) markReference(object[field]);
    }
    for (const ClassLayouts::ArrayField& field : layout->arrays) {
        if (field.word < object.words) markArray(object[field.word], field.elementsAreReferences);
    }
}

// Inlined into drain(): the marking loop runs without a call per block.
[[gnu::always_inline]] inline void Marker::trace(HeapPool& pool, TVMAddress header,
                                                 bool ownsNative) {
    const auto [code, words] = block(pool, header);
    if (ownsNative) traceNative(payloadOf(header));
    // Objects are most of what marking meets: they skip the jump table.
    if (code == GC_CODE_OBJECT) [[likely]]
        return traceObject(words);
    switch (code) {
    case GC_CODE_FREE:
    case GC_CODE_TERMINATOR: invalidReference();
    case GC_CODE_OBJECT: return traceObject(words);
    case GC_CODE_PRIMITIVE_ARRAY_REF:
    case GC_CODE_OBJECT_ARRAY_REF:
        if (words.words >= 1) markArray(words[0], code == GC_CODE_OBJECT_ARRAY_REF);
        return;
    case GC_CODE_NATIVE_REF:
        if (words.words >= 1) markReference(words[0]);
        return;
    case GC_CODE_REF_CELL: return traceReferenceCell(words);
    // An array keeps its element storage, however it is reached; only an array variable
    // knows whether the elements are references.
    case GC_CODE_VECTOR:
        if (words.words > OVector::EStorage / 4) markReference(words[OVector::EStorage / 4]);
        return;
    default: return;
    }
}

// Marking a block waits for its mark bits and tracing it for its memory, which the churn
// of a long-running application scatters through the pools. So references pass through a
// short queue on their way from the work list to marking, and the bits and the memory of
// each are fetched while it waits there.
template <bool kShared> bool Marker::drainQueued(std::size_t stopAt) {
    constexpr TUint32 kQueued = 32; // a power of two
    Pending queued[kQueued];
    TUint32 first = 0;
    TUint32 count = 0;
    for (;;) {
        if (kShared && share->peerIsHungry(self)) share->offer(self, work);
        if (!kShared && work.size() >= stopAt) {
            // The references waiting in the queue are not marked yet: they go back.
            for (; count > 0; --count, first = (first + 1) % kQueued)
                work.push(payloadOf(queued[first].pool->start() + queued[first].site.offset));
            return false;
        }
        while (count < kQueued && !work.isEmpty()) {
            const TUint32 reference = work.pop();
            const TVMAddress header = headerOf(reference);
            HeapPool* pool = reference != 0 ? poolContaining(header) : nullptr;
            if (!pool) continue; // null, or not the heap's: nothing to mark
            const HeapPool::MarkSite site = pool->markSite(header);
            const TUint8* memory = pool->hostAt(header);
            __builtin_prefetch(site.group);
            __builtin_prefetch(memory);
            __builtin_prefetch(memory + kHeaderBytes + 12);
            queued[(first + count++) % kQueued] = {pool, site};
        }
        if (count == 0) return true;
        const Pending next = queued[first];
        first = (first + 1) % kQueued;
        --count;
        visit<kShared>(next);
    }
}

void Marker::drain() {
    drainQueued<false>(std::numeric_limits<std::size_t>::max());
}

bool Marker::drainUntilListHolds(std::size_t references) {
    return drainQueued<false>(references);
}

void Marker::drainShared() {
    try {
        do
            drainQueued<true>(0);
        while (share->awaitWork(self, work));
    } catch (...) {
        share->fail();
        throw;
    }
}

void Marker::traceNative(TVMAddress payload) {
    GCObject* object = heap.nativeObject(payload);
    if (!object) return;
    reported.clear();
    object->collectReferences(reported);
    while (!reported.isEmpty()) {
        const TUint32 reference = static_cast<TUint32>(reported[reported.size() - 1]);
        reported.removeLast();
        markReference(reference);
    }
}

// Word 0 counts the references that follow, one or two.
void Marker::traceReferenceCell(Payload cell) {
    const TUint32 count = cell.words >= 1 ? cell[0] : 0;
    if ((count != 1 && count != 2) || cell.words < count + 1) invalidReference();
    for (TUint32 i = 1; i <= count; ++i)
        markReference(cell[i]);
}

// Marks elements 0 to size - 1 of the array, as far as its storage block reaches.
void Marker::markElements(TUint32 array) {
    const HeapPool* arrayPool = blockInUse(array);
    if (!arrayPool) return;
    const Payload record = block(*arrayPool, headerOf(array)).payload;
    if (record.words < OVector::kRecordBytes / 4) return;
    const TUint32 storage = record[OVector::EStorage / 4];
    const auto size = static_cast<TInt32>(record[OVector::ESize / 4]);
    const HeapPool* storagePool = blockInUse(storage);
    if (size <= 0 || !storagePool) return;
    const Payload elements = block(*storagePool, headerOf(storage)).payload;
    work.pushWords(elements.bytes, std::min(static_cast<TUint32>(size), elements.words));
}

HeapPool* Marker::blockInUse(TUint32 value) const {
    const TVMAddress header = headerOf(value);
    HeapPool* pool = heap.poolContaining(header);
    return pool && pool->isInUse(header) ? pool : nullptr;
}
