// NodePool<T>: list nodes taken in blocks of 256, each node known by a 32-bit index, so
// that a node can be named from memory that holds no host pointers. Index 0 is never
// handed out and stands for "no node". Released nodes are reused, most recent first.
#pragma once

#include "LinkedList.h"
#include "Types.h"
#include "Vec.h"

#include <memory>

template <class T> class NodePool : public MListNodeAllocator<T> {
public:
    static constexpr TUint32 BlockSize = 256;
    static constexpr TUint32 NoNode = 0;

    NodePool() = default;
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;

    ListEntry<T>* allocateNode() override;
    void releaseNode(ListEntry<T>* node) override;

    // The node in use under the index, or null when the index is out of range, names a
    // node that is not in use, or is NoNode. Indexes read back from untrusted memory must
    // go through here.
    ListEntry<T>* nodeAt(TUint32 index) const;

private:
    struct Block {
        ListEntry<T> nodes[BlockSize];
        bool inUse[BlockSize] = {};
    };

    void addBlock();
    Block& blockOf(TUint32 index) const { return *blocks[block(index)]; }
    static TInt32 block(TUint32 index) { return static_cast<TInt32>(index / BlockSize); }
    static TUint32 slot(TUint32 index) { return index % BlockSize; }

    Vec<std::unique_ptr<Block>> blocks;
    Vec<TUint32> freeIndexes;
};

template <class T> ListEntry<T>* NodePool<T>::allocateNode() {
    if (freeIndexes.isEmpty()) addBlock();
    const TUint32 index = freeIndexes[freeIndexes.size() - 1];
    freeIndexes.removeLast();
    blockOf(index).inUse[slot(index)] = true;
    return &blockOf(index).nodes[slot(index)];
}

template <class T> void NodePool<T>::releaseNode(ListEntry<T>* node) {
    KESTRO_ASSERT(node && nodeAt(node->poolIndex) == node);
    blockOf(node->poolIndex).inUse[slot(node->poolIndex)] = false;
    *node = ListEntry<T>{node->poolIndex};
    freeIndexes.append(node->poolIndex);
}

template <class T> ListEntry<T>* NodePool<T>::nodeAt(TUint32 index) const {
    if (index == NoNode || block(index) >= blocks.size()) return nullptr;
    Block& holder = blockOf(index);
    return holder.inUse[slot(index)] ? &holder.nodes[slot(index)] : nullptr;
}

// The indexes go onto the stack highest first, so the lowest is handed out next.
template <class T> void NodePool<T>::addBlock() {
    const TUint32 base = static_cast<TUint32>(blocks.size()) * BlockSize;
    blocks.append(std::make_unique<Block>());
    Block& fresh = *blocks[blocks.size() - 1];
    for (TUint32 i = 0; i < BlockSize; ++i)
        fresh.nodes[i].poolIndex = base + i;
    for (TUint32 i = BlockSize; i-- > 0;) {
        if (base + i != NoNode) freeIndexes.append(base + i);
    }
}
