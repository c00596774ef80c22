// Fixed operands. A fixed value takes two slots, the low word in the lower one; a fixed
// variable reference is one slot with the address of an 8-byte variable, low word first.
#pragma once

#include "NativeCall.h"
#include "ORaw.h"
#include "number/Words64.h"

#include <array>

inline OFixed fixedOperand(NativeCall& call) {
    const TUint32 high = call.word();
    return ORaw::fromWords(call.word(), high);
}

inline void answerFixed(NativeCall& call, OFixed value) {
    const std::array<TUint32, 2> words{ORaw::lowWord(value),
                                       static_cast<TUint32>(ORaw::highWord(value))};
    call.answerWords(words);
}

// A native that pushes a constant fixed value.
template <OFixed value> void pushFixed(NativeCall& call, TInt32) {
    answerFixed(call, value);
}

// The variable at a reference; null raises NullPointerException.
inline OFixed loadFixed(NativeCall& call, TVMAddress variable) {
    return load64(call.memory(), variable);
}

inline void storeFixed(NativeCall& call, TVMAddress variable, OFixed value) {
    store64(call.memory(), variable, value);
}
