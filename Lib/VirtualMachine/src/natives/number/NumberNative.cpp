// The number native group 27: absolute values of bytes and ints, and ints in a radix.
#include "NativeCall.h"
#include "VirtualMachine.h"

namespace {

TInt32 saturatingAbs(TInt32 value) {
    if (value >= 0) return value;
    return value == INT32_MIN ? INT32_MAX : -value;
}

} // namespace

void VirtualMachine::numberNative(TInt32 function) {
    NativeCall call(*this, 27);
    switch (function) {
    case 1: call.answer(saturatingAbs(static_cast<TInt8>(call.word()))); return;
    case 2: call.answer(saturatingAbs(call.integer())); return;
    case 3: {
        // The value as unsigned; a radix outside 2 to 36 gives the empty string.
        const TInt32 radix = call.integer();
        call.answer(call.newString(OString::numberInRadix(call.word(), radix)));
        return;
    }
    default: unknownNativeFunction("Number:");
    }
}
