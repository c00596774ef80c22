// A position requestor: the application's value (its observer, which the requestor keeps
// alive for the events it may receive), the update interval and a second parameter. No
// positioning source is connected: starting and stopping change nothing, unless the test
// position (TestPosition.h) stands in for one.
#pragma once

#include "AddressSpace.h"
#include "GCObject.h"
#include "Types.h"
#include "Vec.h"

class CLocationPositionRequestorGCObject : public GCObject {
public:
    CLocationPositionRequestorGCObject(TUint32 value, TInt32 interval, TInt32 parameter)
        : iValue(value), iInterval(interval), iParameter(parameter) {}

    void collectReferences(Vec<int>& markStack) override {
        if (iValue != 0) markStack.append(static_cast<int>(iValue));
    }

    const TUint32 iValue;
    TInt32 iInterval;
    TInt32 iParameter;
};
