// The host's clocks, from the microsecond clock of the system.
#pragma once

#include "ClockService.h"

class HostClock : public ClockService {
public:
    HostClock();
    // The elapsed time counts from now: the host calls it when it loads the application.
    void restart();

    TInt32 currentTimeMillis() override;
    TInt32 elapsedMillis() override;

private:
    TInt64 startTime;
};
