#include "VMHeap.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr TUint32 kWordBytes = 4;

TUint32 roundedSize(TUint64 bytes) {
    if (bytes > VMHeap::kLargestRequest) throw std::bad_alloc();
    return static_cast<TUint32>((bytes + kWordBytes - 1) & ~TUint64{kWordBytes - 1});
}

// A block in use, its header, zero-filled payload and trailer, at `block`, whose header is
// at `header`. A payload larger than a few words takes `untouched` (when it is not 0) and
// leaves it 0: its bytes from that address on read as zero already.
inline void initialise(TUint8* block, TVMAddress header, const HeapEntry& entry,
                       TVMAddress& untouched) {
    writeHeaderAndTrailer(block, entry);
    TUint8* payload = block + kHeaderBytes;
    // Most blocks are a few words: zeroing them word by word beats a call of memset.
    constexpr TUint32 kSmallPayload = 16;
    if (entry.size > kSmallPayload) {
        TUint32 touched = entry.size;
        if (untouched != 0) [[unlikely]] {
            const TVMAddress from = payloadOf(header);
            touched = untouched > from ? std::min(entry.size, untouched - from) : 0;
            untouched = 0;
        }
        std::memset(payload, 0, touched);
        return;
    }
    for (TUint32 word = 0; word < entry.size; word += kWordBytes)
        std::memset(payload + word, 0, kWordBytes);
}

} // namespace

VMHeap::VMHeap(AddressSpace& aSpace, InterfaceForCallingGc* aVm) : space(aSpace), gcCaller(aVm) {
    TVMAddress untouched;
    addEntryToFreeEntries(addPool(kDefaultPoolSize, untouched), 0);
}

// Native objects are destroyed while the rest of the heap is whole, in case a destructor
// calls back into it (to drop a root, for instance).
VMHeap::~VMHeap() {
    natives.destroyAll();
}

TVMAddress VMHeap::createHeapEntry(TUint32 size, TInt32 nativeFlag, GcCode code) {
    return makeBlock(size, nativeFlag, code).header;
}

TVMAddress VMHeap::allocateWords(TUint32 words, GcCode code) {
    if (words > kLargestRequest / kWordBytes) throw std::bad_alloc();
    return allocateBytes(words * kWordBytes, code);
}

TVMAddress VMHeap::allocateBytes(TUint32 bytes, GcCode code) {
    return payloadOf(createHeapEntry(bytes, 0, code));
}

std::pair<TVMAddress, TVMAddress> VMHeap::createPair(TUint32 size1, TInt32 flag1, GcCode code1,
                                                     TUint32 size2, TInt32 flag2, GcCode code2) {
    const TVMAddress first = makePair(size1, flag1, code1, size2, flag2, code2).header;
    return {payloadOf(first), payloadOf(first + kBlockOverhead + roundedSize(size1))};
}

TVMAddress VMHeap::allocateNative(std::unique_ptr<GCObject> object, GcCode code) {
    const ClaimedBlock block = makeBlock(kWordBytes, kNativeObjectFlag, code);
    return attachNative(*block.pool, block.header, std::move(object));
}

std::pair<TVMAddress, TVMAddress> VMHeap::allocateNativeWithCell(std::unique_ptr<GCObject> object,
                                                                 GcCode code) {
    const ClaimedBlock pair =
        makePair(kWordBytes, kNativeObjectFlag, code, kWordBytes, 0, GC_CODE_NATIVE_REF);
    const TVMAddress native = attachNative(*pair.pool, pair.header, std::move(object));
    const TVMAddress cell = native + kWordBytes + kBlockOverhead;
    space.store32(cell, native);
    return {native, cell};
}

void VMHeap::addRoot(TVMAddress object) {
    rootEntries.append(headerOf(object));
}

void VMHeap::removeRoot(TVMAddress object) {
    const LinkedListIterator<TVMAddress> position = rootEntries.find(headerOf(object));
    if (position == rootEntries.end()) {
        std::fprintf(stderr, "Error: Removing non-existing root: %d", static_cast<int>(object));
        return;
    }
    rootEntries.remove(position);
}

// Lays out a pool for `payload` bytes and returns its one block, for the caller to file.
FreeBlock VMHeap::addPool(TUint32 payload, TVMAddress& untouched) {
    const TUint32 length = payload + HeapPool::kOverhead;
    const TVMAddress start = space.allocate(length, untouched);
    // The address space hands out rising addresses, which keeps the pools sorted.
    KESTRO_ASSERT(pools.isEmpty() || start > pools[pools.size() - 1]->start());
    auto* memory = static_cast<TUint8*>(space.hostPointer(start, length));
    pools.append(std::make_unique<HeapPool>(start, length, memory));
    totalSizeOfPools += length;
    HeapPool& pool = *pools[pools.size() - 1];
    directory.add(pool);
    writeBlock(pool.start(), kTerminator);
    storeHeapEntry(space, pool.trailingTerminator(), kTerminator);
    return {pool.firstBlock(), payload, &pool};
}

// A block in use of at least `size` bytes, zero-filled.
VMHeap::ClaimedBlock VMHeap::makeBlock(TUint32 size, TInt32 nativeFlag, GcCode code) {
    const TUint32 request = roundedSize(size);
    if (allocationObserver) allocationObserver->beforeAllocation();
    const ClaimedBlock block = claim(request);
    initialise(blockMemory(block.header, block.size), block.header,
               {request, block.size, nativeFlag, 0, code, 0}, untouchedNewPool);
    ++nOfEntries;
    return block;
}

// Two adjacent blocks in use, cut from one claimed block; returns the claimed block, whose
// header is the first block's.
VMHeap::ClaimedBlock VMHeap::makePair(TUint32 size1, TInt32 flag1, GcCode code1, TUint32 size2,
                                      TInt32 flag2, GcCode code2) {
    const TUint32 first = roundedSize(size1);
    const TUint32 second = roundedSize(size2);
    if (allocationObserver) allocationObserver->beforeAllocation();
    const ClaimedBlock block = claim(roundedSize(TUint64{first} + kBlockOverhead + second));
    block.pool->addBlock(block.header + kBlockOverhead + first);
    TUint8* memory = blockMemory(block.header, block.size);
    initialise(memory, block.header, {first, first, flag1, 0, code1, 0}, untouchedNewPool);
    // The second block keeps any excess that was too small to split off.
    initialise(memory + kBlockOverhead + first, block.header + kBlockOverhead + first,
               {second, block.size - first - kBlockOverhead, flag2, 0, code2, 0}, untouchedNewPool);
    nOfEntries += 2;
    return block;
}

// A free block of at least `size` bytes taken for use, with the excess split off when it
// can hold a block of its own; a new pool when no free block fits. Of a new pool's memory,
// what the address space has just committed is untouched: the pool writes only headers and
// trailers, and none inside the payload of its one block. A block of kDefaultPoolSize bytes
// or more, alone or as a pair, always has one part larger than a few words, which takes it.
VMHeap::ClaimedBlock VMHeap::claim(TUint32 size) {
    FreeBlockLists::Node* node = freeLists.findFit(size);
    if (!node) { // nothing fitted, so the new pool's one block is the only fit now
        TVMAddress untouched;
        addEntryToFreeEntries(addPool(std::max(size, kDefaultPoolSize), untouched), 0);
        if (size >= kDefaultPoolSize) untouchedNewPool = untouched;
        node = freeLists.findFit(size);
    }
    KESTRO_ASSERT(node && node->value.size >= size);
    const FreeBlock block = node->value;
    block.pool->setFree(block.header, false);
    if (block.size - size <= kBlockOverhead) {
        freeLists.take(node);
        return {block.header, block.size, block.pool};
    }
    const FreeBlock rest{block.header + kBlockOverhead + size, block.size - size - kBlockOverhead,
                         block.pool};
    rest.pool->addBlock(rest.header);
    markFree(rest, 0, freeLists.refile(node, rest));
    return {block.header, size, block.pool};
}

void VMHeap::addEntryToFreeEntries(const FreeBlock& block, TUint32 actualSize) {
    markFree(block, actualSize, freeLists.add(block));
}

TVMAddress VMHeap::attachNative(HeapPool& pool, TVMAddress header,
                                std::unique_ptr<GCObject> object) {
    KESTRO_ASSERT(object);
    const TVMAddress payload = payloadOf(header);
    space.store32(payload, natives.add(std::move(object), payload));
    pool.setNative(header, true);
    return payload;
}
