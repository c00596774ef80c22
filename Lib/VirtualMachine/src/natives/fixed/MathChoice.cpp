// Math natives that choose the smaller or the larger of two bytes, ints or fixed values.
#include "MathFamilies.h"

#include <algorithm>

namespace {

// The first operand unless the second is strictly smaller (or, for the larger, larger).
template <class T> T chosen(TInt32 extreme, T a, T b) {
    return extreme == ESmaller ? std::min(a, b) : std::max(a, b);
}

template <class T> T integerOperand(NativeCall& call) {
    return static_cast<T>(call.word());
}

template <class T> void answerInteger(NativeCall& call, TInt32 extreme) {
    const T b = integerOperand<T>(call);
    const T a = integerOperand<T>(call);
    call.answer(static_cast<TInt32>(chosen(extreme, a, b)));
}

} // namespace

void chooseByte(NativeCall& call, TInt32 extreme) {
    answerInteger<TInt8>(call, extreme);
}

void chooseInt(NativeCall& call, TInt32 extreme) {
    answerInteger<TInt32>(call, extreme);
}

void chooseFixed(NativeCall& call, TInt32 extreme) {
    const OFixed b = fixedOperand(call);
    answerFixed(call, chosen(extreme, fixedOperand(call), b));
}
