// Whom a positioning source tells of positions and errors; `observer` is the application's
// observer object, the value its requestor was made with.
#pragma once

#include "DateTime.h"
#include "ORaw.h"

struct PositionValues {
    OFixed first = 0;
    OFixed second = 0;
    OFixed third = 0;
    OFixed fourth = 0;
};

class MPositionObserver {
public:
    virtual ~MPositionObserver() = default;
    virtual void positionUpdate(const PositionValues& values, const Kestro::DateTime& dateTime,
                                TInt32 flag, TUint32 observer) = 0;
    // Forwards to positionError.
    void positionErrorForwarded(TInt32 error, TUint32 observer) { positionError(error, observer); }
    virtual void positionError(TInt32 error, TUint32 observer) = 0;
};
