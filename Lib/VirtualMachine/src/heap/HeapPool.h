// HeapPool: one pool of the heap, a span of machine memory cut into blocks, and the host's
// own record of the cut: where blocks start, which of them are free, which own a native
// object and, during a collection, which are marked. The bytecode can overwrite the headers
// in machine memory but not this record, so the heap checks headers against it, and it
// answers "is this a block in use?" and "which block holds this address?" without walking
// the pool. The terminators always count as marked: they survive every collection.
//
// Layout: a leading terminator (header and trailer), the blocks, and a trailing terminator
// (header only). A new pool holds one block, free, between the two.
#pragma once

#include "BlockBitmaps.h"
#include "HeapEntry.h"

#include <atomic>

class HeapPool {
public:
    using Group = BlockBitmaps::Group;

    // Bytes a pool spends beyond the payload of its first block: terminators and overhead.
    static constexpr TUint32 kOverhead = 80;

    // `aMemory` is where the pool's machine memory lies in the host, all of it committed.
    HeapPool(TVMAddress aStart, TUint32 aLength, TUint8* aMemory);
    HeapPool(const HeapPool&) = delete;
    HeapPool& operator=(const HeapPool&) = delete;

    TVMAddress start() const { return poolStart; }
    TUint32 length() const { return poolLength; }
    bool contains(TVMAddress address) const { return address - poolStart < poolLength; }
    TVMAddress firstBlock() const { return poolStart + kBlockOverhead; }
    TVMAddress trailingTerminator() const { return poolStart + poolLength - kHeaderBytes; }
    // The host memory of an address of the pool, with no check of its own.
    const TUint8* hostAt(TVMAddress address) const { return memory + (address - poolStart); }
    // The bytes from the payload of the block at `header` to the end of the pool's blocks:
    // the most its header may claim, whatever the bytecode wrote there.
    TUint32 payloadRoom(TVMAddress header) const {
        return trailingTerminator() - payloadOf(header);
    }
    bool isTerminator(TVMAddress header) const {
        return header == poolStart || header == trailingTerminator();
    }

    // Whether a block starts at the address, which may be any address.
    bool startsBlock(TVMAddress address) const {
        return contains(address) && (address - poolStart) % 4 == 0 &&
               bits.test(&Group::starts, wordOf(address));
    }
    // The remaining queries take the start of a block of this pool.
    bool isFree(TVMAddress header) const { return bits.test(&Group::free, wordOf(header)); }
    bool ownsNative(TVMAddress header) const { return bits.test(&Group::native, wordOf(header)); }
    bool isMarked(TVMAddress header) const { return bits.test(&Group::marks, wordOf(header)); }
    // Whether the address starts a block that is neither free nor a terminator.
    bool isInUse(TVMAddress address) const {
        return startsBlock(address) && !isFree(address) && !isTerminator(address);
    }

    void addBlock(TVMAddress header) { bits.assign(&Group::starts, wordOf(header), true); }
    // Forgets a block that a neighbour has absorbed.
    void removeBlock(TVMAddress header) { bits.clearWords(wordOf(header), wordOf(header) + 1); }
    // Forgets the blocks that start after `header` and before `end`, which the block at
    // `header` has absorbed.
    void removeBlocksAfter(TVMAddress header, TVMAddress end) {
        bits.clearWords(wordOf(header) + 1, wordOf(end));
    }
    void setFree(TVMAddress header, bool free) { bits.assign(&Group::free, wordOf(header), free); }
    void setNative(TVMAddress header, bool native) {
        bits.assign(&Group::native, wordOf(header), native);
    }
    void clearMarks();

    // What the collector finds when it marks an address of the pool.
    enum MarkResult {
        ENewlyMarked,
        ENewlyMarkedOwningNative, // newly marked, and the block owns a native object
        EMarkedBefore,
        ENotInUse,
        ENoBlockStart
    };
    static bool isNewlyMarked(MarkResult result) { return result <= ENewlyMarkedOwningNative; }
    // Where the mark bits of an address of the pool lie: found once, then used to fetch the
    // bits early and to mark.
    struct MarkSite {
        Group* group;
        TUint64 mask;
        TUint32 offset; // of the address from the start of the pool
    };
    MarkSite markSite(TVMAddress address) {
        const TUint32 offset = address - poolStart;
        const BlockBitmaps::Bit bit = BlockBitmaps::at(offset / 4);
        return {&bits.group(bit.group), bit.mask, offset};
    }
    // Marks the block in use that starts at the site's address; a free block or a terminator
    // there gives ENotInUse. While two markers share a collection (kShared), the mark is set
    // by one atomic operation, so that a block both meet is newly marked for one of them
    // only and no mark in the same group is lost.
    template <bool kShared = false> MarkResult mark(const MarkSite& site) {
        Group& group = *site.group;
        if (site.offset % 4 != 0 || (group.starts & site.mask) == 0) return ENoBlockStart;
        std::atomic_ref<TUint64> marks(group.marks);
        // Free blocks are never marked, and terminators always are: one test leaves only
        // blocks in use that are not marked yet.
        const TUint64 marked = kShared ? marks.load(std::memory_order_relaxed) : group.marks;
        if (((group.free | marked) & site.mask) != 0) {
            const bool terminator = site.offset == 0 || site.offset == poolLength - kHeaderBytes;
            return (group.free & site.mask) != 0 || terminator ? ENotInUse : EMarkedBefore;
        }
        if constexpr (kShared) {
            // The mask written out as one shifted bit lets the compiler set and test it with
            // one locked bit instruction instead of a compare-and-swap loop.
            const TUint64 bit = TUint64{1} << (site.offset / 4 % 64);
            if ((marks.fetch_or(bit, std::memory_order_relaxed) & bit) != 0) return EMarkedBefore;
        } else {
            group.marks |= site.mask;
        }
        return (group.native & site.mask) != 0 ? ENewlyMarkedOwningNative : ENewlyMarked;
    }
    // The same for an address of the pool.
    MarkResult mark(TVMAddress address) { return mark(markSite(address)); }

    // The start of the block after `header` (the end of the pool after the last block).
    TVMAddress nextBlock(TVMAddress header) const {
        return addressOf(bits.nextStartAfter(wordOf(header)));
    }
    // The start of the block before `header`, which must not be the leading terminator.
    TVMAddress previousBlock(TVMAddress header) const {
        return addressOf(bits.lastStartAtOrBefore(wordOf(header) - 1));
    }
    // The start of the block that holds the address, which must lie in the pool.
    TVMAddress blockContaining(TVMAddress address) const {
        return addressOf(bits.lastStartAtOrBefore(wordOf(address)));
    }

    // The record itself, for the sweep's searches: word w of the pool is the word at
    // addressOf(w).
    const BlockBitmaps& record() const { return bits; }
    TUint32 wordOf(TVMAddress address) const { return (address - poolStart) / 4; }
    TVMAddress addressOf(TUint32 word) const { return poolStart + word * 4; }

private:
    TVMAddress poolStart;
    TUint32 poolLength;
    TUint8* memory;
    BlockBitmaps bits;
};
