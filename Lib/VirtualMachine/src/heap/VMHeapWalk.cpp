#include "VMHeap.h"

#include "ErrorHandling.h"

TVMAddress VMHeap::belongsToPools(TVMAddress address) const {
    const HeapPool* pool = poolContaining(address);
    if (!pool) return 0;
    const TVMAddress header = pool->blockContaining(address);
    checkedEntry(*pool, header);
    return header;
}

bool VMHeap::isBlockInUse(TVMAddress header) const {
    const HeapPool* pool = poolContaining(header);
    return pool && pool->isInUse(header);
}

HeapEntry VMHeap::entry(TVMAddress header) const {
    return checkedEntry(poolOfBlock(header), header);
}

TVMAddress VMHeap::firstBlock(TInt32 pool) const {
    const HeapPool& chosen = *pools.at(pool);
    checkedEntry(chosen, chosen.start());
    checkedEntry(chosen, chosen.trailingTerminator());
    return chosen.firstBlock();
}

TVMAddress VMHeap::nextBlock(TVMAddress header) const {
    const HeapPool& pool = poolOfBlock(header);
    if (header == pool.trailingTerminator()) return 0;
    const TVMAddress next = header + kBlockOverhead + checkedEntry(pool, header).size;
    return next == pool.trailingTerminator() ? 0 : next;
}

int VMHeap::getMemUsage(CAppsString* report) const {
    MemoryUsage usage;
    usage.nOfEntries = nOfEntries;
    usage.nOfPools = pools.size();
    for (const std::unique_ptr<HeapPool>& pool : pools)
        addPoolUsage(*pool, usage);
    checkAccounting(usage);
    if (report) usage.appendTo(*report);
    return static_cast<int>(usage.total());
}

HeapPool& VMHeap::poolOfBlock(TVMAddress header) const {
    HeapPool* pool = poolContaining(header);
    if (!pool || !pool->startsBlock(header)) raiseFatalMachineError("no heap block starts here");
    return *pool;
}

// The header of a block of `pool` once it agrees with the heap's record; a header or
// trailer the bytecode has damaged is a fatal machine error.
HeapEntry VMHeap::checkedEntry(const HeapPool& pool, TVMAddress header) const {
    const HeapEntry entry = loadHeapEntry(space, header);
    if (!matchesRecord(pool, header, entry)) raiseFatalMachineError("damaged heap block");
    return entry;
}

bool VMHeap::matchesRecord(const HeapPool& pool, TVMAddress header, const HeapEntry& entry) const {
    if (header == pool.trailingTerminator()) return entry == kTerminator;
    // The size is checked before the trailer is read through it.
    return matchesExtent(pool, header, entry) &&
           space.load32(payloadOf(header) + entry.size) == entry.size + kBlockOverhead;
}

bool VMHeap::matchesExtent(const HeapPool& pool, TVMAddress header, const HeapEntry& entry) const {
    if (header == pool.start()) return entry == kTerminator;
    if (pool.isFree(header)) {
        const FreeBlock* filed = freeLists.find(entry.freeHeapEntryIterator);
        return filed && filed->header == header && filed->size == entry.size;
    }
    return entry.freeHeapEntryIterator == 0 && entry.actualSize <= entry.size &&
           TUint64{entry.size} + kBlockOverhead == pool.nextBlock(header) - header;
}

// The block before `header`, as its trailer names it, once the heap's record agrees.
TVMAddress VMHeap::previousBlock(const HeapPool& pool, TVMAddress header) const {
    const TVMAddress named = header - space.load32(header - kTrailerBytes);
    if (!pool.startsBlock(named) || !endsAt(pool, named, header))
        raiseFatalMachineError("damaged heap block trailer");
    return named;
}

// Whether the block at `start` ends where `end` begins. A free block's extent is on record,
// so a free predecessor, which may be large, needs no search back over it.
bool VMHeap::endsAt(const HeapPool& pool, TVMAddress start, TVMAddress end) const {
    if (pool.isFree(start)) return start + kBlockOverhead + checkedEntry(pool, start).size == end;
    return start < end && pool.previousBlock(end) == start;
}

// Walks a pool from terminator to terminator.
void VMHeap::addPoolUsage(const HeapPool& pool, MemoryUsage& usage) const {
    TInt64 contents = 0;
    for (TVMAddress header = pool.start();;) {
        const HeapEntry entry = checkedEntry(pool, header);
        contents += entry.size;
        if (header == pool.trailingTerminator()) break;
        if (pool.isFree(header)) {
            usage.freeSpace += entry.size;
        } else if (!pool.isTerminator(header)) {
            addBlockUsage(pool, header, entry, usage);
        }
        header += kBlockOverhead + entry.size;
    }
    usage.sizeOfPools += pool.length();
    usage.allContents += contents;
    usage.headers += pool.length() - contents;
}

void VMHeap::addBlockUsage(const HeapPool& pool, TVMAddress header, const HeapEntry& entry,
                           MemoryUsage& usage) const {
    usage.actual += entry.actualSize;
    usage.wasted += entry.size - entry.actualSize;
    const GCObject* object = pool.ownsNative(header) ? nativeObject(payloadOf(header)) : nullptr;
    if (!object) return;
    const TInt64 outside = object->outsideHeapSize();
    usage.outsideHeap += outside;
    if (entry.gcCode == GC_CODE_STRING) usage.stringContents += outside;
    if (entry.gcCode == GC_CODE_FONT) usage.fontContents += outside;
}

void VMHeap::checkAccounting(const MemoryUsage& usage) const {
    const TInt64 freeSpaceInPools = usage.freeSpace;
    const TInt64 actualObjectsInMem = usage.actual;
    const TInt64 wastedMemInActualObjectBlocks = usage.wasted;
    const TInt64 memInHeHeaders = usage.headers;
    KESTRO_ASSERT(totalSizeOfPools == freeSpaceInPools + actualObjectsInMem +
                                          wastedMemInActualObjectBlocks + memInHeHeaders);
}
