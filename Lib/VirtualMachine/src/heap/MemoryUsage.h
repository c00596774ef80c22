// MemoryUsage: the figures of the heap's usage report, and the report's text.
#pragma once

#include "CAppsString.h"
#include "Types.h"

struct MemoryUsage {
    TInt64 headers = 0;     // headers and trailers
    TInt64 actual = 0;      // bytes asked for by the blocks in use
    TInt64 wasted = 0;      // capacity of blocks in use beyond what was asked for
    TInt64 outsideHeap = 0; // host memory held by native objects
    TInt64 stringContents = 0;
    TInt64 fontContents = 0;
    TInt64 nOfEntries = 0;
    TInt64 nOfPools = 0;
    TInt64 sizeOfPools = 0;
    TInt64 allContents = 0; // capacity of all blocks, free ones included
    TInt64 freeSpace = 0;

    TInt64 total() const { return headers + actual + wasted + outsideHeap; }
    void appendTo(CAppsString& text) const;
};
