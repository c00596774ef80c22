// VMHeap: the machine's memory for everything the application can reach. Blocks are cut
// from a few large pools in the machine's address space; free blocks wait in 32 size-class
// lists and merge with free neighbours when freed. The heap also keeps the root list, the
// native objects that heap blocks stand for, and the collector's marks.
//
// Block headers live in machine memory, where the bytecode can overwrite them. The heap
// keeps its own record of every pool (HeapPool) and every free block (FreeBlockLists) and
// checks each header it relies on against it: a damaged header is a fatal machine error,
// never an endless walk or an access outside the pool. For the same reason the collector's
// marks live in that record, not in the headers' mark words, which stay 0.
#pragma once

#include "AddressSpace.h"
#include "CAppsString.h"
#include "FreeBlockLists.h"
#include "GCObject.h"
#include "HeapEntry.h"
#include "HeapPool.h"
#include "InterfaceForCallingGc.h"
#include "LinkedList.h"
#include "MAllocationObserver.h"
#include "MStreamHolderFinaliser.h"
#include "MemoryUsage.h"
#include "NativeObjectTable.h"
#include "PoolDirectory.h"
#include "Vec.h"

#include <memory>
#include <optional>
#include <typeinfo>
#include <utility>
#include <vector>

class VMHeap {
public:
    static constexpr TUint32 kDefaultPoolSize = 64000;
    // The largest request: the 32 size classes end at 2^31 bytes. Larger requests, like
    // running out of the machine's address space, raise std::bad_alloc.
    static constexpr TUint32 kLargestRequest = TUint32{1} << 31;

    // Creates the first pool.
    VMHeap(AddressSpace& aSpace, InterfaceForCallingGc* aVm);
    VMHeap(const VMHeap&) = delete;
    VMHeap& operator=(const VMHeap&) = delete;
    ~VMHeap();

    // Allocation. Payloads are zero-filled; sizes are rounded up to whole words.
    // A block of at least `size` bytes; returns its header. The flag is written as given:
    // only blocks made by allocateNative own a native object.
    TVMAddress createHeapEntry(TUint32 size, TInt32 nativeFlag, GcCode code);
    TVMAddress allocateWords(TUint32 words, GcCode code); // payload address, flag 0
    TVMAddress allocateBytes(TUint32 bytes, GcCode code); // payload address, flag 0
    // Two adjacent blocks cut from one block of size1 + size2 + 28; payload addresses.
    std::pair<TVMAddress, TVMAddress> createPair(TUint32 size1, TInt32 flag1, GcCode code1,
                                                 TUint32 size2, TInt32 flag2, GcCode code2);

    // Native objects. The block (flag -1) holds the object's handle in its payload word 0
    // and owns the object: freeing the block destroys it.
    TVMAddress allocateNative(std::unique_ptr<GCObject> object, GcCode code); // payload
    // A native object and right after it a one-word GC_CODE_NATIVE_REF cell holding the
    // object's address, made as a pair; returns {object, cell}.
    std::pair<TVMAddress, TVMAddress> allocateNativeWithCell(std::unique_ptr<GCObject> object,
                                                             GcCode code);
    // The native object of the block whose payload address is given, or null when no block
    // in use holding a native object has that payload address.
    GCObject* nativeObject(TVMAddress object) const {
        if (!space.contains(object, sizeof(TUint32))) return nullptr;
        return natives.find(space.load32(object), object);
    }
    // The same when the object is exactly a T, else null. The exact type test is a
    // comparison of type identities, much cheaper than a dynamic_cast.
    template <class T> T* nativeObjectOf(TVMAddress object) const {
        GCObject* found = nativeObject(object);
        return found && typeid(*found) == typeid(T) ? static_cast<T*>(found) : nullptr;
    }

    // Freeing. A freed block merges with its free neighbours.
    // Frees a block in use and returns the header of the free block that results, which may
    // lie before `he`; anything that is not a block in use is a fatal machine error.
    TVMAddress freeEntry(TVMAddress he);
    // The explicit release: nothing for null, for a block already free or for an address
    // that is not the payload of a block in use; otherwise freeEntry on its header.
    void freeObject(TVMAddress object);
    // Tells the heap whom to call when a stream holder is freed (null: nobody).
    void setStreamHolderFinaliser(MStreamHolderFinaliser* finaliser) { streamHolders = finaliser; }
    // Tells the heap whom to call before each allocation (null: nobody).
    void setAllocationObserver(MAllocationObserver* observer) { allocationObserver = observer; }

    // Queries and walks, for the collector and the usage report; every header they read
    // is checked.
    // The header of the block that holds the address (a terminator's header included), or 0
    // when the address lies in no pool.
    TVMAddress belongsToPools(TVMAddress address) const;
    bool isBlockInUse(TVMAddress header) const;
    // The header words of a block.
    HeapEntry entry(TVMAddress header) const;
    // The pool that holds the address, or null; its record answers the collector's
    // questions about blocks, and holds their marks.
    HeapPool* poolContaining(TVMAddress address) const { return directory.find(address); }
    TInt32 poolCount() const { return pools.size(); }
    // The first block of a pool, after its leading terminator.
    TVMAddress firstBlock(TInt32 pool) const;
    // The block after `header` in its pool, or 0 after the last one.
    TVMAddress nextBlock(TVMAddress header) const;
    TInt32 numberOfEntries() const { return nOfEntries; }
    // Appends the usage report to `report` when it is not null; returns the total.
    int getMemUsage(CAppsString* report) const;

    // The end of a collection (VMHeapSweep.cpp): frees every block in use that is not
    // marked, pools in creation order and blocks in address order, and clears all marks.
    // The native objects of the freed blocks are destroyed in that order once every block
    // is free, so a destructor finds the heap consistent.
    void sweep();
    // Clears all marks; after an abandoned collection, so that the next one starts afresh.
    void clearMarks();

    // Roots: a multiset of block headers.
    void addRoot(TVMAddress object);
    // Removes one entry for the object; writes an error to standard error when there is none.
    void removeRoot(TVMAddress object);
    const LinkedList<TVMAddress>& roots() const { return rootEntries; }
    InterfaceForCallingGc* gcInterface() const { return gcCaller; }
    // The address space the heap's pools are carved from.
    AddressSpace& memory() const { return space; }

private:
    struct ClaimedBlock {
        TVMAddress header;
        TUint32 size;
        HeapPool* pool;
    };

    // Allocation (VMHeap.cpp).
    ClaimedBlock makeBlock(TUint32 size, TInt32 nativeFlag, GcCode code);
    ClaimedBlock makePair(TUint32 size1, TInt32 flag1, GcCode code1, TUint32 size2, TInt32 flag2,
                          GcCode code2);
    FreeBlock addPool(TUint32 payload, TVMAddress& untouched);
    ClaimedBlock claim(TUint32 size);
    TUint8* blockMemory(TVMAddress header, TUint32 size) const;
    void writeBlock(TVMAddress header, const HeapEntry& entry);
    void addEntryToFreeEntries(const FreeBlock& block, TUint32 actualSize);
    void markFree(const FreeBlock& block, TUint32 actualSize, TUint32 node);
    TVMAddress attachNative(HeapPool& pool, TVMAddress header, std::unique_ptr<GCObject> object);

    // Freeing (VMHeapRelease.cpp).
    TVMAddress release(HeapPool& pool, TVMAddress header);
    std::optional<HeapEntry> freeEntryAt(const HeapPool& pool, TVMAddress header) const;
    std::unique_ptr<GCObject> detachNative(HeapPool& pool, TVMAddress header);

    // Sweeping (VMHeapSweep.cpp).
    void sweepPool(HeapPool& pool, std::vector<std::unique_ptr<GCObject>>& doomed);
    TVMAddress sweepRun(HeapPool& pool, TVMAddress dead,
                        std::vector<std::unique_ptr<GCObject>>& doomed);
    void finaliseStreamHolder(TVMAddress header);

    // Checks and walks (VMHeapWalk.cpp).
    HeapPool& poolOfBlock(TVMAddress header) const;
    HeapEntry checkedEntry(const HeapPool& pool, TVMAddress header) const;
    bool matchesRecord(const HeapPool& pool, TVMAddress header, const HeapEntry& entry) const;
    bool matchesExtent(const HeapPool& pool, TVMAddress header, const HeapEntry& entry) const;
    TVMAddress previousBlock(const HeapPool& pool, TVMAddress header) const;
    bool endsAt(const HeapPool& pool, TVMAddress start, TVMAddress end) const;
    void addPoolUsage(const HeapPool& pool, MemoryUsage& usage) const;
    void addBlockUsage(const HeapPool& pool, TVMAddress header, const HeapEntry& entry,
                       MemoryUsage& usage) const;
    void checkAccounting(const MemoryUsage& usage) const;

    AddressSpace& space;
    InterfaceForCallingGc* gcCaller;
    MStreamHolderFinaliser* streamHolders = nullptr;
    MAllocationObserver* allocationObserver = nullptr;
    Vec<std::unique_ptr<HeapPool>> pools; // in creation order, which is address order
    PoolDirectory directory;
    TUint32 totalSizeOfPools = 0;
    FreeBlockLists freeLists;
    NativeObjectTable natives;
    LinkedList<TVMAddress> rootEntries;
    TInt32 nOfEntries = 0; // blocks in use, terminators excluded
    // Where the memory that the address space has just committed for a new pool begins,
    // from the claim of a block of kDefaultPoolSize bytes or more there until the first
    // block larger than a few words cut from it is initialised; 0 at other times. Nothing
    // has written that memory yet: it reads as zero.
    TVMAddress untouchedNewPool = 0;
};

// The host memory of the block at `header` with `size` payload bytes, all of it checked at
// once: header, payload and trailer.
inline TUint8* VMHeap::blockMemory(TVMAddress header, TUint32 size) const {
    return static_cast<TUint8*>(space.hostPointer(header, size + kBlockOverhead));
}

inline void VMHeap::writeBlock(TVMAddress header, const HeapEntry& entry) {
    writeHeaderAndTrailer(blockMemory(header, entry.size), entry);
}

// Records the block as free and writes its header, naming its free-list node.
inline void VMHeap::markFree(const FreeBlock& block, TUint32 actualSize, TUint32 node) {
    block.pool->setFree(block.header, true);
    writeBlock(block.header, {actualSize, block.size, 0, 0, GC_CODE_FREE, node});
}
