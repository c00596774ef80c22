// Told by the heap before it allocates a block, while nothing of the new block exists yet.
// The collector's stress mode collects here.
#pragma once

class MAllocationObserver {
public:
    virtual ~MAllocationObserver() = default;
    virtual void beforeAllocation() = 0;
};
