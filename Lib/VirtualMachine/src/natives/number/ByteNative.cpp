// The byte native group 9 has no functions: every number is unknown.
#include "VirtualMachine.h"

void VirtualMachine::byteNative(TInt32) {
    unknownNativeFunction("Byte:");
}
