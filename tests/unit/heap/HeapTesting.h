// Shared set-up for the heap tests: a heap on a fresh address space, readers for its usage
// report, and a native object that counts its destructions.
#pragma once

#include "TextTesting.h"
#include "VMHeap.h"

#include <gtest/gtest.h>

#include <string>

class HeapTest : public ::testing::Test {
protected:
    std::string report() const {
        CAppsString text;
        heap.getMemUsage(&text);
        return latin1(text.toOString());
    }
    // The number after a label of the usage report ("freeSpace=", "headers ").
    long figure(const std::string& label) const {
        const std::string text = report();
        return std::stol(text.substr(text.find(label) + label.size()));
    }
    TVMAddress allocate(TUint32 size) { return heap.createHeapEntry(size, 0, GC_CODE_DATA); }
    // A free block of `size` bytes that is the only free block of a one-pool heap.
    TVMAddress loneFreeBlock(TUint32 size) {
        const TVMAddress block = allocate(size);
        allocate(VMHeap::kDefaultPoolSize - size - kBlockOverhead);
        heap.freeEntry(block);
        return block;
    }

    // Counts the destructions of CountedObject; it outlives the heap, whose destruction
    // destroys the native objects still in it.
    int destroyed = 0;
    AddressSpace space;
    VMHeap heap{space, nullptr};
};

class CountedObject : public GCObject {
public:
    explicit CountedObject(int& aDestroyed, int anOutside = 0)
        : destroyed(aDestroyed), outside(anOutside) {}
    ~CountedObject() override { ++destroyed; }
    int outsideHeapSize() const override { return outside; }

private:
    int& destroyed;
    int outside;
};
