// The math native group 26.
#include "MathFamilies.h"

#include <ctime>

namespace {

// The default seed of the generator's authors, for a clock that reads 0: a seed of 0
// would leave the generator drawing nothing but 0.
constexpr TUint32 kSeedForZeroClock = 4357;

} // namespace

MersenneTwister& VirtualMachine::randomGenerator() {
    if (!randomSource) {
        const auto clockSeed = static_cast<TUint32>(std::clock());
        randomSource.emplace(clockSeed != 0 ? clockSeed : kSeedForZeroClock);
    }
    return *randomSource;
}

void VirtualMachine::mathNative(TInt32 function) {
    NativeCall call(*this);
    if (applyRealFunction(call, function) || chooseExtreme(call, function)) return;
    switch (function) {
    case 12:
    case 13: return drawRandom(call, function, randomGenerator());
    case 20: return answerFixed(call, ORaw::kE);
    case 21: return answerFixed(call, ORaw::kPi);
    case 22: return answerFixed(call, ORaw::kSmallest);
    default: unknownNativeFunction("Math:");
    }
}
