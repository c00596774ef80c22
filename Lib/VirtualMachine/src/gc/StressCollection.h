// The collector's stress mode, for tests: with KESTRO_GC_STRESS set (to anything but "0"),
// a full collection runs before every allocation that the interpreter and the natives make.
// A program's output must not change; a value that native code forgot to keep reachable
// is freed at once and shows up as a failure. Every collection, however small the heap,
// then shares its marking between two threads.
#pragma once

#include "MAllocationObserver.h"

#include <functional>
#include <utility>

class StressCollection : public MAllocationObserver {
public:
    static bool requested();

    // `collect` is the machine's stress collection.
    explicit StressCollection(std::function<void()> aCollect) : collect(std::move(aCollect)) {}

    void beforeAllocation() override { collect(); }

private:
    std::function<void()> collect;
};
