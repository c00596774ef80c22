// Fixed natives 1 to 3 and 26 to 30: conversions between fixed values and ints, and the
// limits of the fixed range.
#include "FixedFamilies.h"

bool convertFixed(NativeCall& call, TInt32 function) {
    switch (function) {
    case 1: answerFixed(call, loadFixed(call, call.word())); return true;
    case 2: answerFixed(call, ORaw::fromInt(static_cast<TInt8>(call.word()))); return true;
    case 3: answerFixed(call, ORaw::fromInt(call.integer())); return true;
    case 26: call.answer(ORaw::round(fixedOperand(call))); return true;
    case 27: call.answer(ORaw::ceiling(fixedOperand(call))); return true;
    case 28: call.answer(ORaw::floor(fixedOperand(call))); return true;
    case 29: answerFixed(call, ORaw::kMinimum); return true;
    case 30: answerFixed(call, ORaw::kMaximum); return true;
    default: return false;
    }
}
