// Group 33: periodic timers that call the application back. A timer's listener stays a
// collector root from the timer's creation until its removal.
#include "VirtualMachine.h"

#include <algorithm>

void VirtualMachine::timerNative(TInt32 function) {
    switch (function) {
    case 1: {
        const TVMAddress listener = slot(sp - 1);
        const TInt32 period = std::max(0, static_cast<TInt32>(slot(sp)));
        if (listener != 0) heap.addRoot(listener);
        const TInt32 id = services->addTimer(listener, period);
        --sp;
        slot(sp) = static_cast<TUint32>(id);
        return;
    }
    case 2: {
        const TVMAddress listener = services->removeTimer(static_cast<TInt32>(slot(sp)));
        if (listener != 0) heap.removeRoot(listener);
        --sp;
        return;
    }
    case 3: {
        const TInt32 id = static_cast<TInt32>(slot(sp - 1));
        const TInt32 period = std::max(0, static_cast<TInt32>(slot(sp)));
        services->updateTimerDelay(id, period);
        sp -= 2;
        return;
    }
    default: unknownNativeFunction("Timer:");
    }
}
