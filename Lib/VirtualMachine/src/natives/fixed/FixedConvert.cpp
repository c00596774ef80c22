// Fixed natives that convert between fixed values and ints.
#include "FixedFamilies.h"

void loadFixedVariable(NativeCall& call, TInt32) {
    answerFixed(call, loadFixed(call, call.word()));
}

void fixedFromByte(NativeCall& call, TInt32) {
    answerFixed(call, ORaw::fromInt(static_cast<TInt8>(call.word())));
}

void fixedFromInt(NativeCall& call, TInt32) {
    answerFixed(call, ORaw::fromInt(call.integer()));
}

void roundFixed(NativeCall& call, TInt32) {
    call.answer(ORaw::round(fixedOperand(call)));
}

void ceilingOfFixed(NativeCall& call, TInt32) {
    call.answer(ORaw::ceiling(fixedOperand(call)));
}

void floorOfFixed(NativeCall& call, TInt32) {
    call.answer(ORaw::floor(fixedOperand(call)));
}
