// Group 30: log lines.
#include "VirtualMachine.h"

void VirtualMachine::debugNative(TInt32 function) {
    switch (function) {
    case 1:
        services->log(stringAt(slot(sp)));
        --sp;
        return;
    case 3: return;
    default: unknownNativeFunction("Debug:");
    }
}
