#include "FreeBlockLists.h"

FreeBlockLists::FreeBlockLists() {
    for (TInt32 k = 0; k < kSizeClasses; ++k)
        freeHeapEntries.append(std::make_unique<LinkedList<FreeBlock>>(&nodes));
}

TUint32 FreeBlockLists::add(const FreeBlock& block) {
    const TInt32 indexInFreeEntries = sizeClass(block.size);
    // clang-format off
    KESTRO_ASSERT(indexInFreeEntries < int ( freeHeapEntries.size() ));
    // clang-format on
    nonEmptyClasses |= TUint32{1} << indexInFreeEntries;
    return freeHeapEntries[indexInFreeEntries]->append(block).node()->poolIndex;
}

FreeBlock FreeBlockLists::take(Node* node) {
    const FreeBlock block = node->value;
    const TInt32 k = sizeClass(block.size);
    LinkedList<FreeBlock>& list = *freeHeapEntries[k];
    list.remove(LinkedListIterator<FreeBlock>(node));
    if (list.isEmpty()) nonEmptyClasses &= ~(TUint32{1} << k);
    return block;
}

// Taking the node off its list and adding a block would hand the same node out again, the
// one released last: moving the node does the same work without releasing it.
void FreeBlockLists::moveToEnd(Node* node, TInt32 k) {
    const TInt32 from = sizeClass(node->value.size);
    LinkedList<FreeBlock>& list = *freeHeapEntries[from];
    list.moveToEnd(LinkedListIterator<FreeBlock>(node), *freeHeapEntries[k]);
    if (list.isEmpty()) nonEmptyClasses &= ~(TUint32{1} << from);
    nonEmptyClasses |= TUint32{1} << k;
}

FreeBlockLists::Node* FreeBlockLists::entryAt(TUint32 node) const {
    Node* entry = nodes.nodeAt(node);
    KESTRO_ASSERT(entry);
    return entry;
}
