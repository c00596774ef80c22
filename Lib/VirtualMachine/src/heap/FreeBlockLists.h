// FreeBlockLists: the heap's free blocks in 32 size-class lists. The list nodes come from a
// node pool, so a block's header can name its node by a 32-bit index. Each node records
// where its block is and how large it is, independently of what the block's header in
// machine memory says now.
#pragma once

#include "AddressSpace.h"
#include "LinkedList.h"
#include "NodePool.h"
#include "Types.h"
#include "Vec.h"

#include <bit>
#include <memory>

class HeapPool;

struct FreeBlock {
    TVMAddress header = 0;
    TUint32 size = 0; // payload bytes
    HeapPool* pool = nullptr;
};

inline constexpr TInt32 kSizeClasses = 32;

// The smallest k with 2^k >= n: 0 and 1 give 0, 2 gives 1, 3 and 4 give 2, 64000 gives 16.
inline TInt32 sizeClass(TUint32 n) {
    return n <= 1 ? 0 : static_cast<TInt32>(std::bit_width(n - 1));
}

class FreeBlockLists {
public:
    // Where a block is filed; its poolIndex is the node index that headers name.
    using Node = ListEntry<FreeBlock>;

    FreeBlockLists();
    FreeBlockLists(const FreeBlockLists&) = delete;
    FreeBlockLists& operator=(const FreeBlockLists&) = delete;

    // Appends the block to the list of its size class; returns the index of its node.
    TUint32 add(const FreeBlock& block);
    // The block filed under the node index, or null when no block is.
    const FreeBlock* find(TUint32 node) const {
        const ListEntry<FreeBlock>* entry = nodes.nodeAt(node);
        return entry ? &entry->value : nullptr;
    }
    // Takes the block filed under the node index, which must be in use, off its list.
    FreeBlock take(TUint32 node) { return take(entryAt(node)); }
    FreeBlock take(Node* node);
    // Files `block` in place of the one under the node index, exactly as take() and then
    // add() would, in the same node.
    TUint32 refile(TUint32 node, const FreeBlock& block) { return refile(entryAt(node), block); }
    TUint32 refile(Node* node, const FreeBlock& block) {
        if (node->next || sizeClass(node->value.size) != sizeClass(block.size))
            moveToEnd(node, sizeClass(block.size));
        node->value = block;
        return node->poolIndex;
    }
    // The node of a block of at least `size` bytes, or null when none fits: the first block
    // of the first non-empty list above the size's class, else the first that fits in its
    // own class. The block stays filed.
    Node* findFit(TUint32 size) const {
        const TInt32 own = sizeClass(size);
        // Every block of a larger class fits, so no list is searched in the common case.
        const TUint32 larger =
            own + 1 < kSizeClasses ? nonEmptyClasses >> (own + 1) << (own + 1) : 0;
        if (larger != 0) return freeHeapEntries[std::countr_zero(larger)]->head();
        for (Node* node = freeHeapEntries[own]->head(); node; node = node->next) {
            if (node->value.size >= size) return node;
        }
        return nullptr;
    }

private:
    Node* entryAt(TUint32 node) const;
    // Moves the node, still holding its old block, to the end of list k.
    void moveToEnd(Node* node, TInt32 k);

    NodePool<FreeBlock> nodes; // declared first: the lists give their nodes back to it
    Vec<std::unique_ptr<LinkedList<FreeBlock>>> freeHeapEntries;
    TUint32 nonEmptyClasses = 0; // bit k set while list k holds a block
};
