// Base of every native object that lives in a heap block of the machine.
#pragma once

template <class T> class Vec;

class GCObject {
public:
    virtual ~GCObject() = default;
    // Appends the addresses of heap objects this object keeps alive.
    virtual void collectReferences(Vec<int>& /*markStack*/) {}
    // Bytes held outside the machine's heap, for the usage report.
    virtual int outsideHeapSize() const { return 0; }

protected:
    GCObject() = default;
    GCObject(const GCObject&) = default;
    GCObject& operator=(const GCObject&) = default;
};
