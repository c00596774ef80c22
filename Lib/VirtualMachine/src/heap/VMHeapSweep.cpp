// The sweep. Runs of neighbouring blocks that are free or die become one free block at
// once, which leaves the heap exactly as freeing the dead blocks one by one in address
// order would, without merging block by block.
#include "VMHeap.h"

#include <algorithm>
#include <bit>

namespace {

// Whether the block ends a run: a terminator, or a block in use that is marked.
bool survives(const HeapPool& pool, TVMAddress header) {
    return pool.isTerminator(header) || (!pool.isFree(header) && pool.isMarked(header));
}

// The first block at or after word `from` and before word `end` that is in use and not
// marked, or `end` when there is none.
TUint32 nextDeadBlock(const HeapPool& pool, TUint32 from, TUint32 end) {
    for (TUint32 word = from / 64; word * 64 < end; ++word) {
        TUint64 dead =
            pool.starts().word(word) & ~pool.freeBlocks().word(word) & ~pool.marks().word(word);
        if (word == from / 64) dead &= ~TUint64{0} << (from % 64);
        if (dead != 0)
            return std::min(end, word * 64 + static_cast<TUint32>(std::countr_zero(dead)));
    }
    return end;
}

} // namespace

void VMHeap::sweep() {
    std::vector<std::unique_ptr<GCObject>> doomed;
    for (const std::unique_ptr<HeapPool>& pool : pools) {
        sweepPool(*pool, doomed);
        pool->clearMarks();
    }
    for (std::unique_ptr<GCObject>& object : doomed)
        object.reset();
}

void VMHeap::clearMarks() {
    for (const std::unique_ptr<HeapPool>& pool : pools)
        pool->clearMarks();
}

void VMHeap::sweepPool(HeapPool& pool, std::vector<std::unique_ptr<GCObject>>& doomed) {
    // Word indexes of the pool: the first block and the trailing terminator.
    const TUint32 first = (pool.firstBlock() - pool.start()) / 4;
    const TUint32 end = (pool.trailingTerminator() - pool.start()) / 4;
    for (TUint32 word = nextDeadBlock(pool, first, end); word < end;
         word = nextDeadBlock(pool, word, end)) {
        word = (sweepRun(pool, pool.addressOf(word), doomed) - pool.start()) / 4;
    }
}

// Frees the run of blocks that are free or die around the dead block `dead` as one free
// block; returns the block after the run. Everything the run touches is checked before
// anything changes.
TVMAddress VMHeap::sweepRun(HeapPool& pool, TVMAddress dead,
                            std::vector<std::unique_ptr<GCObject>>& doomed) {
    const TVMAddress before = pool.previousBlock(dead);
    const TVMAddress start = pool.isFree(before) ? before : dead;
    TVMAddress end = start;
    while (!survives(pool, end)) {
        if (pool.isFree(end)) checkedEntry(pool, end);
        end = pool.nextBlock(end);
    }
    // A free block keeps the actual size of the block it starts with.
    const TUint32 actualSize = loadHeapEntry(space, start).actualSize;
    for (TVMAddress header = start; header != end;) {
        const TVMAddress next = pool.nextBlock(header);
        if (pool.isFree(header)) {
            freeLists.take(loadHeapEntry(space, header).freeHeapEntryIterator);
        } else {
            finaliseStreamHolder(header);
            if (std::unique_ptr<GCObject> object = detachNative(pool, header))
                doomed.push_back(std::move(object));
            --nOfEntries;
        }
        if (header != start) pool.removeBlock(header);
        header = next;
    }
    const FreeBlock merged{start, end - start - kBlockOverhead, &pool};
    markFree(merged, actualSize, freeLists.add(merged));
    return end;
}

void VMHeap::finaliseStreamHolder(TVMAddress header) {
    if (streamHolders && space.load32(header + kGcCodeOffset) == GC_CODE_STREAM_HOLDER)
        streamHolders->destructStreamHolder(payloadOf(header));
}
