// Base of every native object that lives in a heap block of the machine.
#pragma once

#include "SmallBlocks.h"

#include <cstddef>

template <class T> class Vec;

class GCObject {
public:
    virtual ~GCObject() = default;
    // Appends the addresses of heap objects this object keeps alive. It may be called on the
    // collector's second thread, while the machine's own thread marks as well: it must only
    // read the object.
    virtual void collectReferences(Vec<int>& /*markStack*/) {}
    // Bytes held outside the machine's heap, for the usage report.
    virtual int outsideHeapSize() const { return 0; }

    // Native objects are many and small: they take their memory from SmallBlocks. The
    // virtual destructor makes delete pass the size of the object's own class.
    static void* operator new(std::size_t bytes) { return SmallBlocks::allocate(bytes); }
    static void operator delete(void* object, std::size_t bytes) {
        SmallBlocks::release(object, bytes);
    }

protected:
    GCObject() = default;
    GCObject(const GCObject&) = default;
    GCObject& operator=(const GCObject&) = default;
};
