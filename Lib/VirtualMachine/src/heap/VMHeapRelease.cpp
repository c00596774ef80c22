#include "VMHeap.h"

#include "ErrorHandling.h"

TVMAddress VMHeap::freeEntry(TVMAddress he) {
    KESTRO_ASSERT(he);
    HeapPool* pool = poolContaining(he);
    if (!pool || !pool->isInUse(he)) raiseFatalMachineError("freeing a heap block not in use");
    return release(*pool, he);
}

// The explicit release instructions take any value the bytecode holds, so a second release
// of a block, or a value that is no block in use, is ignored and the heap stays as it is.
void VMHeap::freeObject(TVMAddress object) {
    if (object == 0) return;
    const TVMAddress header = headerOf(object);
    HeapPool* pool = poolContaining(header);
    if (pool && pool->isInUse(header)) release(*pool, header);
}

TVMAddress VMHeap::release(HeapPool& pool, TVMAddress header) {
    // Everything is checked before anything changes, so a damaged header anywhere near the
    // block leaves the heap as it was.
    const HeapEntry entry = checkedEntry(pool, header);
    const TVMAddress next = header + kBlockOverhead + entry.size;
    const TVMAddress previous = previousBlock(pool, header);
    const std::optional<HeapEntry> freeNext = freeEntryAt(pool, next);
    const std::optional<HeapEntry> freePrevious = freeEntryAt(pool, previous);
    if (entry.gcCode == GC_CODE_STREAM_HOLDER && streamHolders)
        streamHolders->destructStreamHolder(payloadOf(header));

    // The native object dies on return, when the block is free again, so a destructor that
    // calls back into the heap finds it consistent.
    const std::unique_ptr<GCObject> doomed = detachNative(pool, header);
    --nOfEntries;
    // Free blocks never touch, so one merge in each direction is all there can be. The
    // merged block takes the free-list node of a neighbour it absorbs, where it can.
    FreeBlock merged{header, entry.size, &pool};
    TUint32 node = 0;
    if (freeNext) {
        merged.size += kBlockOverhead + freeNext->size;
        pool.removeBlock(next);
        node = freeNext->freeHeapEntryIterator;
    }
    if (freePrevious) {
        merged = {previous, freePrevious->size + kBlockOverhead + merged.size, &pool};
        pool.removeBlock(header);
        if (node != 0) freeLists.take(node);
        node = freePrevious->freeHeapEntryIterator;
    }
    // A free block keeps the actual size of the block it starts with.
    markFree(merged, (freePrevious ? *freePrevious : entry).actualSize,
             node != 0 ? freeLists.refile(node, merged) : freeLists.add(merged));
    return merged.header;
}

std::optional<HeapEntry> VMHeap::freeEntryAt(const HeapPool& pool, TVMAddress header) const {
    if (!pool.isFree(header)) return std::nullopt;
    return checkedEntry(pool, header);
}

std::unique_ptr<GCObject> VMHeap::detachNative(HeapPool& pool, TVMAddress header) {
    if (!pool.ownsNative(header)) return nullptr;
    pool.setNative(header, false);
    const TVMAddress payload = payloadOf(header);
    return natives.take(space.load32(payload), payload);
}
