// The host's clocks.
#pragma once

#include "Types.h"

class ClockService {
public:
    virtual ~ClockService() = default;
    // Milliseconds since 1970-01-01 UTC, low 32 bits.
    virtual TInt32 currentTimeMillis() = 0;
    // Milliseconds since the application was loaded, low 32 bits.
    virtual TInt32 elapsedMillis() = 0;
};
