// The string native group 8.
#include "StringFamilies.h"
#include "VirtualMachine.h"

void VirtualMachine::stringNative(TInt32 function) {
    // Function bytes 128 to 255 arrive as -128 to -1.
    const TInt32 number = function & 0xFF;
    NativeCall call(*this, 8);
    // The families most programs use most come first.
    if (editString(call, number) || queryString(call, number) || searchString(call, number) ||
        makeString(call, number) || createString(call, number) || compareStrings(call, number) ||
        replaceInString(call, number) || convertCharacters(call, number) ||
        splitString(call, number) || findMostFrequent(call, number))
        return;
    unknownNativeFunction("String:");
}
