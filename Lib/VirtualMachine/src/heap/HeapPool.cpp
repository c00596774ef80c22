#include "HeapPool.h"

HeapPool::HeapPool(TVMAddress aStart, TUint32 aLength)
    : poolStart(aStart), poolLength(aLength), blockStarts(aLength / 4), freeStarts(aLength / 4),
      nativeStarts(aLength / 4), markStarts(aLength / 4) {
    addBlock(poolStart);
    addBlock(firstBlock());
    addBlock(trailingTerminator());
    setFree(firstBlock(), true);
}

void HeapPool::removeBlock(TVMAddress header) {
    blockStarts.assign(wordOf(header), false);
    setFree(header, false);
    setNative(header, false);
    markStarts.assign(wordOf(header), false);
}
