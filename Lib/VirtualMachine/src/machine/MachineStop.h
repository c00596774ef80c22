// How a host call ends when the application asked to exit (-1) or after a fatal machine
// error (-2): the run wrapper throws this to the host instead of returning.
#pragma once

#include "Types.h"

struct MachineStop {
    static constexpr TInt32 kExitRequested = -1;
    static constexpr TInt32 kFatalError = -2;
    TInt32 value;
};
