// The fixed-point native group 11.
#include "FixedFamilies.h"
#include "VirtualMachine.h"

void VirtualMachine::fixedNative(TInt32 function) {
    NativeCall call(*this, 11);
    if (calculateFixed(call, function) || compareFixeds(call, function) ||
        convertFixed(call, function) || convertFixedText(call, function))
        return;
    unknownNativeFunction("Fixed:");
}
