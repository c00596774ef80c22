// Group 30: log lines and the log file.
#include "VirtualMachine.h"

void VirtualMachine::debugNative(TInt32 function) {
    switch (function) {
    case 1:
        services->log(stringAt(slot(sp)));
        --sp;
        return;
    case 2:
        services->setLogFile(stringAt(slot(sp)));
        --sp;
        return;
    case 3: return;
    default: unknownNativeFunction("Debug:");
    }
}
