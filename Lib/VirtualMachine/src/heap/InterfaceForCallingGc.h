// What the heap's owner offers for running a full garbage collection.
#pragma once

class InterfaceForCallingGc {
public:
    virtual ~InterfaceForCallingGc() = default;
    virtual void collectGarbage() = 0;
};
