// Group 32: ending the application.
#include "ErrorHandling.h"
#include "VirtualMachine.h"

void VirtualMachine::systemNative(TInt32 function) {
    switch (function) {
    case 1: services->exitApplication(); return;
    case 2: services->showExitMessage(stringAt(slot(sp))); throwError(EExitRequested);
    default: unknownNativeFunction("System:");
    }
}
