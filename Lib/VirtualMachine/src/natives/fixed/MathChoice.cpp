// Math natives 14 to 19: the smaller (14 to 16) or the larger (17 to 19) of two bytes,
// ints or fixed values. A byte is the low 8 bits of its slot, signed.
#include "MathFamilies.h"

#include <algorithm>

namespace {

// The first operand unless the second is strictly smaller (or, for the largest, larger).
template <class T> T chosen(bool smaller, T a, T b) {
    return smaller ? std::min(a, b) : std::max(a, b);
}

template <class T> T integerOperand(NativeCall& call) {
    return static_cast<T>(call.word());
}

template <class T> void answerInteger(NativeCall& call, bool smaller) {
    const T b = integerOperand<T>(call);
    const T a = integerOperand<T>(call);
    call.answer(static_cast<TInt32>(chosen(smaller, a, b)));
}

} // namespace

bool chooseExtreme(NativeCall& call, TInt32 function) {
    if (function < 14 || function > 19) return false;
    const bool smaller = function <= 16;
    switch ((function - 14) % 3) {
    case 0: answerInteger<TInt8>(call, smaller); break;
    case 1: answerInteger<TInt32>(call, smaller); break;
    default: {
        const OFixed b = fixedOperand(call);
        answerFixed(call, chosen(smaller, fixedOperand(call), b));
    }
    }
    return true;
}
