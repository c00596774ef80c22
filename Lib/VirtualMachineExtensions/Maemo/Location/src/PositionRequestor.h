// A position requestor: the application's value (its observer), the update interval and a
// second parameter. No positioning source is connected: starting and stopping change
// nothing, unless the test position (TestPosition.h) stands in for one.
#pragma once

#include "AddressSpace.h"
#include "GCObject.h"
#include "Types.h"

class CLocationPositionRequestorGCObject : public GCObject {
public:
    CLocationPositionRequestorGCObject(TUint32 value, TInt32 interval, TInt32 parameter)
        : iValue(value), iInterval(interval), iParameter(parameter) {}

    const TUint32 iValue;
    TInt32 iInterval;
    TInt32 iParameter;
};
