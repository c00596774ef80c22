// The sweep. Runs of neighbouring blocks that are free or die become one free block at
// once, which leaves the heap exactly as freeing the dead blocks one by one in address
// order would, without merging block by block.
#include "VMHeap.h"

namespace {

using Group = HeapPool::Group;

TUint64 blocks(const Group& group) {
    return group.starts;
}
TUint64 freeBlocks(const Group& group) {
    return group.free;
}
// Blocks in use that are not marked.
TUint64 deadBlocks(const Group& group) {
    return group.starts & ~group.free & ~group.marks;
}
// The blocks that end a run: the terminators, which count as marked, and the marked blocks
// in use.
TUint64 survivors(const Group& group) {
    return group.marks & ~group.free;
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
    const BlockBitmaps& record = pool.record();
    const TUint32 end = pool.wordOf(pool.trailingTerminator());
    for (TUint32 word = record.find(pool.wordOf(pool.firstBlock()), end, deadBlocks); word < end;
         word = record.find(word, end, deadBlocks)) {
        word = pool.wordOf(sweepRun(pool, pool.addressOf(word), doomed));
    }
}

// Frees the run of blocks that are free or die around the dead block `dead` as one free
// block; returns the block after the run. Everything the run touches is checked before
// anything changes.
TVMAddress VMHeap::sweepRun(HeapPool& pool, TVMAddress dead,
                            std::vector<std::unique_ptr<GCObject>>& doomed) {
    const BlockBitmaps& record = pool.record();
    const TVMAddress before = pool.previousBlock(dead);
    const TVMAddress start = pool.isFree(before) ? before : dead;
    const TUint32 first = pool.wordOf(start);
    const TUint32 last = record.find(pool.wordOf(dead), record.bitCount(), survivors);
    const TVMAddress end = pool.addressOf(last);
    record.forEach(first, last, freeBlocks, [&](TUint32 word, const Group&, TUint64) {
        checkedEntry(pool, pool.addressOf(word));
    });
    // A free block keeps the actual size of the block it starts with.
    const TUint32 actualSize = loadHeapEntry(space, start).actualSize;
    record.forEach(first, last, blocks, [&](TUint32 word, const Group& group, TUint64 bit) {
        const TVMAddress header = pool.addressOf(word);
        if ((group.free & bit) != 0) {
            freeLists.take(loadHeapEntry(space, header).freeHeapEntryIterator);
            return;
        }
        finaliseStreamHolder(header);
        if ((group.native & bit) != 0) {
            if (std::unique_ptr<GCObject> object = detachNative(pool, header))
                doomed.push_back(std::move(object));
        }
        --nOfEntries;
    });
    pool.removeBlocksAfter(start, end);
    const FreeBlock merged{start, end - start - kBlockOverhead, &pool};
    markFree(merged, actualSize, freeLists.add(merged));
    return end;
}

void VMHeap::finaliseStreamHolder(TVMAddress header) {
    if (streamHolders && space.load32(header + kGcCodeOffset) == GC_CODE_STREAM_HOLDER)
        streamHolders->destructStreamHolder(payloadOf(header));
}
