#include "PoolDirectory.h"

void PoolDirectory::add(HeapPool& pool) {
    KESTRO_ASSERT(pool.length() > (TUint32{1} << kChunkShift));
    const TUint32 firstChunk = pool.start() >> kChunkShift;
    const TUint32 lastChunk = (pool.start() + pool.length() - 1) >> kChunkShift;
    if (chunks.size() <= lastChunk) chunks.resize(lastChunk + 1);
    chunkCount = static_cast<TUint32>(chunks.size());
    for (TUint32 chunk = firstChunk; chunk <= lastChunk; ++chunk) {
        Chunk& overlapping = chunks[chunk];
        HeapPool*& slot = overlapping.first ? overlapping.second : overlapping.first;
        KESTRO_ASSERT(!slot);
        slot = &pool;
    }
}
