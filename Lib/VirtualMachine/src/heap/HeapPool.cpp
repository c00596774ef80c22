#include "HeapPool.h"

HeapPool::HeapPool(TVMAddress aStart, TUint32 aLength, TUint8* aMemory)
    : poolStart(aStart), poolLength(aLength), memory(aMemory), bits(aLength / 4) {
    addBlock(poolStart);
    addBlock(firstBlock());
    addBlock(trailingTerminator());
    setFree(firstBlock(), true);
    clearMarks();
}

void HeapPool::clearMarks() {
    bits.clearMarks();
    bits.assign(&Group::marks, wordOf(poolStart), true);
    bits.assign(&Group::marks, wordOf(trailingTerminator()), true);
}
