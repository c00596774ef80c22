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

FreeBlock FreeBlockLists::take(TUint32 node) {
    return unlink(entryAt(node));
}

TUint32 FreeBlockLists::refile(TUint32 node, const FreeBlock& block) {
    ListEntry<FreeBlock>* entry = entryAt(node);
    if (entry->next || sizeClass(entry->value.size) != sizeClass(block.size)) {
        unlink(entry);
        return add(block);
    }
    entry->value = block;
    return node;
}

TUint32 FreeBlockLists::findFit(TUint32 size) const {
    const TInt32 own = sizeClass(size);
    // Every block of a larger class fits, so no list is searched in the common case.
    const TUint32 larger = own + 1 < kSizeClasses ? nonEmptyClasses >> (own + 1) << (own + 1) : 0;
    if (larger != 0) return freeHeapEntries[std::countr_zero(larger)]->head()->poolIndex;
    for (const ListEntry<FreeBlock>* entry = freeHeapEntries[own]->head(); entry;
         entry = entry->next) {
        if (entry->value.size >= size) return entry->poolIndex;
    }
    return 0;
}

FreeBlock FreeBlockLists::unlink(ListEntry<FreeBlock>* entry) {
    const FreeBlock block = entry->value;
    const TInt32 k = sizeClass(block.size);
    LinkedList<FreeBlock>& list = *freeHeapEntries[k];
    list.remove(LinkedListIterator<FreeBlock>(entry));
    if (list.isEmpty()) nonEmptyClasses &= ~(TUint32{1} << k);
    return block;
}

ListEntry<FreeBlock>* FreeBlockLists::entryAt(TUint32 node) const {
    ListEntry<FreeBlock>* entry = nodes.nodeAt(node);
    KESTRO_ASSERT(entry);
    return entry;
}
