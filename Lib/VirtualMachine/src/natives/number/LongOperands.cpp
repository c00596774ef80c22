#include "LongOperands.h"

#include "GcCodes.h"
#include "Words64.h"

LongOperand longOperand(NativeCall& call) {
    const TVMAddress reference = call.word();
    return {reference, load64(call.memory(), reference)};
}

void storeLong(NativeCall& call, TVMAddress reference, TInt64 value) {
    store64(call.memory(), reference, value);
}

TVMAddress newLong(NativeCall& call, TInt64 value) {
    // Nothing inside a long is a reference.
    const TVMAddress object = call.heap().allocateWords(2, GC_CODE_DATA);
    store64(call.memory(), object, value);
    return object;
}
