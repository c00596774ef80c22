// Fixed natives 18 to 23: signed comparisons of the raw values, answering 1 or 0.
#include "FixedFamilies.h"

namespace {

bool compared(TInt32 function, OFixed a, OFixed b) {
    switch (function) {
    case 18: return a == b;
    case 19: return a != b;
    case 20: return a < b;
    case 21: return a <= b;
    case 22: return a > b;
    default: return a >= b; // 23
    }
}

} // namespace

bool compareFixeds(NativeCall& call, TInt32 function) {
    if (function < 18 || function > 23) return false;
    const OFixed b = fixedOperand(call);
    const OFixed a = fixedOperand(call);
    call.answer(compared(function, a, b) ? 1 : 0);
    return true;
}
