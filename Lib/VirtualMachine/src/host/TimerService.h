// Periodic timers that call the application back with "<systemtimerlistener>.systemtimerevent".
#pragma once

#include "AddressSpace.h"
#include "Types.h"

class TimerService {
public:
    virtual ~TimerService() = default;
    // A timer calling the listener back every `period` milliseconds (0 or more); returns
    // its id, 10 or more and never handed out before.
    virtual TInt32 addTimer(TVMAddress listener, TInt32 period) = 0;
    // Stops the timer; returns its listener, or 0 when no timer has that id.
    virtual TVMAddress removeTimer(TInt32 id) = 0;
    // Changes the period (0 or more) of the timer with that id, if there is one.
    virtual void updateTimerDelay(TInt32 id, TInt32 period) = 0;
};
