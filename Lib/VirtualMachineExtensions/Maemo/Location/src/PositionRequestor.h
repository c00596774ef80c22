// A position requestor: the application's value (its observer, which the requestor keeps
// alive for the events it may receive), the update interval and a second parameter.
// Started, it receives the host's configured positions (when the host has any) until it is
// stopped or collected; the test position (TestPosition.h) also stands in for a source.
#pragma once

#include "AddressSpace.h"
#include "GCObject.h"
#include "PositionService.h"
#include "Types.h"
#include "Vec.h"

class CLocationPositionRequestorGCObject : public GCObject {
public:
    CLocationPositionRequestorGCObject(TUint32 value, TInt32 interval, TInt32 parameter,
                                       PositionService* positionSource)
        : iValue(value), iInterval(interval), iParameter(parameter), source(positionSource) {}
    ~CLocationPositionRequestorGCObject() override {
        if (source) source->stopPositions(this);
    }
    CLocationPositionRequestorGCObject(const CLocationPositionRequestorGCObject&) = delete;
    CLocationPositionRequestorGCObject&
    operator=(const CLocationPositionRequestorGCObject&) = delete;

    void collectReferences(Vec<int>& markStack) override {
        if (iValue != 0) markStack.append(static_cast<int>(iValue));
    }

    const TUint32 iValue;
    TInt32 iInterval;
    TInt32 iParameter;
    PositionService* const source; // the host's positions, or null
};
