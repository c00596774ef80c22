// Keeps an object alive while native code still holds it only in C++ variables: a
// collection may run at any allocation (always, in the collector's stress mode), and an
// object is safe only once it is reachable from roots, the operand stack or other live
// objects.
#pragma once

#include "VMHeap.h"

class ScopedRoot {
public:
    ScopedRoot(VMHeap& aHeap, TVMAddress anObject) : heap(aHeap), object(anObject) {
        if (object != 0) heap.addRoot(object);
    }
    ~ScopedRoot() {
        if (object != 0) heap.removeRoot(object);
    }
    ScopedRoot(const ScopedRoot&) = delete;
    ScopedRoot& operator=(const ScopedRoot&) = delete;

private:
    VMHeap& heap;
    TVMAddress object;
};
