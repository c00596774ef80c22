// Group 32: ending the application, clocks, the application object.
#include "ErrorHandling.h"
#include "VirtualMachine.h"

void VirtualMachine::systemNative(TInt32 function) {
    switch (function) {
    case 1: services->exitApplication(); return;
    case 2: services->showExitMessage(stringAt(slot(sp))); throwError(EExitRequested);
    case 3: return push(static_cast<TUint32>(services->elapsedMillis()));
    case 4: return push(newString(OString("No Callstack available")));
    case 5:
        setApplicationObject(slot(sp));
        --sp;
        return;
    case 6: return push(static_cast<TUint32>(services->systemQuery6()));
    case 7: return push(static_cast<TUint32>(services->systemQuery7()));
    case 8: return push(static_cast<TUint32>(services->currentTimeMillis()));
    case 9: return currentDateTimeNative();
    case 13:
        slot(sp - 1);
        sp -= 2;
        return;
    case 14:
    case 15: slot(sp) = 0; return;
    default: unknownNativeFunction("System:");
    }
}
