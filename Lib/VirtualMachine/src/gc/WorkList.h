// WorkList: the blocks that marking has marked but not traced yet, as a stack. It keeps its
// storage from one collection to the next, and its growth stays out of the marking loop.
#pragma once

#include "HeapPool.h"

#include <vector>

struct MarkedBlock {
    HeapPool* pool;
    TVMAddress header;
};

class WorkList {
public:
    bool isEmpty() const { return count == 0; }
    void push(const MarkedBlock& block) {
        if (count == items.size()) grow();
        items[count++] = block;
    }
    MarkedBlock pop() { return items[--count]; }
    void clear() { count = 0; }

private:
    void grow();

    std::vector<MarkedBlock> items;
    std::size_t count = 0;
};
