// The math native group 26.
#include "MathFamilies.h"
#include "VirtualMachine.h"

void VirtualMachine::mathNative(TInt32 function) {
    NativeCall call(*this, 26);
    if (applyRealFunction(call, function) || chooseExtreme(call, function)) return;
    switch (function) {
    case 12:
    case 13: return drawRandom(call, function, call.randomGenerator());
    case 20: return answerFixed(call, ORaw::kE);
    case 21: return answerFixed(call, ORaw::kPi);
    case 22: return answerFixed(call, ORaw::kSmallest);
    default: unknownNativeFunction("Math:");
    }
}
