// HeapPool: one pool of the heap, a span of machine memory cut into blocks, and the host's
// own record of the cut: where blocks start, which of them are free, which own a native
// object and, during a collection, which are marked. The bytecode can overwrite the headers
// in machine memory but not this record, so the heap checks headers against it, and it
// answers "is this a block in use?" and "which block holds this address?" without walking
// the pool.
//
// Layout: a leading terminator (header and trailer), the blocks, and a trailing terminator
// (header only). A new pool holds one block, free, between the two.
#pragma once

#include "BlockBitmap.h"
#include "HeapEntry.h"

class HeapPool {
public:
    // Bytes a pool spends beyond the payload of its first block: terminators and overhead.
    static constexpr TUint32 kOverhead = 80;

    HeapPool(TVMAddress aStart, TUint32 aLength);
    HeapPool(const HeapPool&) = delete;
    HeapPool& operator=(const HeapPool&) = delete;

    TVMAddress start() const { return poolStart; }
    TUint32 length() const { return poolLength; }
    bool contains(TVMAddress address) const { return address - poolStart < poolLength; }
    TVMAddress firstBlock() const { return poolStart + kBlockOverhead; }
    TVMAddress trailingTerminator() const { return poolStart + poolLength - kHeaderBytes; }
    bool isTerminator(TVMAddress header) const {
        return header == poolStart || header == trailingTerminator();
    }

    // Whether a block starts at the address, which may be any address.
    bool startsBlock(TVMAddress address) const {
        return contains(address) && (address - poolStart) % 4 == 0 &&
               blockStarts.test(wordOf(address));
    }
    // The remaining queries take the start of a block of this pool.
    bool isFree(TVMAddress header) const { return freeStarts.test(wordOf(header)); }
    bool ownsNative(TVMAddress header) const { return nativeStarts.test(wordOf(header)); }
    bool isMarked(TVMAddress header) const { return markStarts.test(wordOf(header)); }
    // Whether the address starts a block that is neither free nor a terminator.
    bool isInUse(TVMAddress address) const {
        return startsBlock(address) && !isFree(address) && !isTerminator(address);
    }

    void addBlock(TVMAddress header) { blockStarts.assign(wordOf(header), true); }
    // Forgets a block that a neighbour has absorbed.
    void removeBlock(TVMAddress header);
    void setFree(TVMAddress header, bool free) { freeStarts.assign(wordOf(header), free); }
    void setNative(TVMAddress header, bool native) { nativeStarts.assign(wordOf(header), native); }
    void clearMarks() { markStarts.clear(); }

    // What the collector finds when it marks an address of the pool.
    enum MarkResult { ENewlyMarked, EMarkedBefore, ENotInUse, ENoBlockStart };
    // Marks the block in use that starts at the address, which must lie in the pool; free
    // blocks and terminators are not marked.
    MarkResult mark(TVMAddress address) {
        const TUint32 offset = address - poolStart;
        if (offset % 4 != 0) return ENoBlockStart;
        const BlockBitmap::Bit bit = BlockBitmap::at(offset / 4);
        if (!blockStarts.test(bit)) return ENoBlockStart;
        if (freeStarts.test(bit) || isTerminator(address)) return ENotInUse;
        if (markStarts.test(bit)) return EMarkedBefore;
        markStarts.set(bit);
        return ENewlyMarked;
    }

    // The start of the block after `header` (the end of the pool after the last block).
    TVMAddress nextBlock(TVMAddress header) const {
        return addressOf(blockStarts.nextAfter(wordOf(header)));
    }
    // The start of the block before `header`, which must not be the leading terminator.
    TVMAddress previousBlock(TVMAddress header) const {
        return addressOf(blockStarts.lastAtOrBefore(wordOf(header) - 1));
    }
    // The start of the block that holds the address, which must lie in the pool.
    TVMAddress blockContaining(TVMAddress address) const {
        return addressOf(blockStarts.lastAtOrBefore(wordOf(address)));
    }

    // The record itself, word by word, for the sweep: bit i of word w stands for the
    // pool's word 64 w + i.
    const BlockBitmap& starts() const { return blockStarts; }
    const BlockBitmap& freeBlocks() const { return freeStarts; }
    const BlockBitmap& marks() const { return markStarts; }
    TVMAddress addressOf(TUint32 word) const { return poolStart + word * 4; }

private:
    TUint32 wordOf(TVMAddress address) const { return (address - poolStart) / 4; }

    TVMAddress poolStart;
    TUint32 poolLength;
    BlockBitmap blockStarts;
    BlockBitmap freeStarts;
    BlockBitmap nativeStarts;
    BlockBitmap markStarts;
};
