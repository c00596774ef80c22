// The array native groups 1 and 3 to 7: one handler per element type.
#include "VectorFamilies.h"
#include "VirtualMachine.h"

namespace {
constexpr TInt32 kNoOperation = 4;
}

template <class Element> void VirtualMachine::vectorNative(TInt32 function, TBool bPrimitive) {
    if (function == kNoOperation) return;
    ArrayCall<Element> call(NativeCall(*this, 3), bPrimitive);
    // Element access, the most frequent, comes first.
    if (accessArray(call, function) || createArray(call, function) ||
        insertIntoArray(call, function) || removeFromArray(call, function) ||
        replaceInArray(call, function) || sliceArrays(call, function))
        return;
    unknownNativeFunction("Vector:");
}

template void VirtualMachine::vectorNative<ByteElement>(TInt32, TBool);
template void VirtualMachine::vectorNative<WordElement>(TInt32, TBool);
template void VirtualMachine::vectorNative<TwoWordElement>(TInt32, TBool);
template void VirtualMachine::vectorNative<ThreeWordElement>(TInt32, TBool);
template void VirtualMachine::vectorNative<FourWordElement>(TInt32, TBool);
