// WorkList: the blocks that marking has marked but not traced yet, as a stack. It keeps its
// storage from one collection to the next, and its growth stays out of the marking loop.
#pragma once

#include "HeapPool.h"

#include <vector>

// What tracing a block needs, noted when it is marked, where its pool is at hand.
struct MarkedBlock {
    const TUint8* memory; // the block's header in the host
    TVMAddress header;
    TUint32 room; // the pool's payloadRoom() for the block
    bool ownsNative;
};

class WorkList {
public:
    WorkList() = default;
    WorkList(const WorkList&) = delete;
    WorkList& operator=(const WorkList&) = delete;

    bool isEmpty() const { return top == items.data(); }
    // A push compares one pointer with another, the cheapest test there is for room.
    void push(const MarkedBlock& block) {
        if (top == limit) grow();
        *top++ = block;
    }
    MarkedBlock pop() { return *--top; }
    void clear() { top = items.data(); }

private:
    void grow();

    std::vector<MarkedBlock> items;
    MarkedBlock* top = nullptr;   // past the last block on the list
    MarkedBlock* limit = nullptr; // the end of the storage
};
