// PoolDirectory: finds the pool that holds an address in constant time, which the collector
// asks for every value it follows. The address space is cut into chunks of 32 KiB, each of
// which remembers the pools that overlap it. A pool is longer than a chunk, so no more than
// two pools overlap one chunk.
#pragma once

#include "HeapPool.h"

#include <vector>

class PoolDirectory {
public:
    // Pools must be added in rising address order, and a pool must be longer than a chunk.
    void add(HeapPool& pool);
    // The pool that holds the address, or null.
    HeapPool* find(TVMAddress address) const {
        const TUint32 chunk = address >> kChunkShift;
        if (chunk >= chunkCount) return nullptr;
        const Chunk& overlapping = chunks[chunk];
        if (overlapping.first && overlapping.first->contains(address)) return overlapping.first;
        if (overlapping.second && overlapping.second->contains(address)) return overlapping.second;
        return nullptr;
    }

private:
    static constexpr TUint32 kChunkShift = 15;

    struct Chunk {
        HeapPool* first = nullptr;
        HeapPool* second = nullptr;
    };

    std::vector<Chunk> chunks;
    TUint32 chunkCount = 0; // chunks.size(), which a look-up would otherwise work out
};
