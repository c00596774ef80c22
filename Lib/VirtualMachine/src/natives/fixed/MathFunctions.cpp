// Math natives that apply real functions to fixed values, through double precision.
#include "MathFamilies.h"

namespace {

using Function = OFixed (*)(OFixed);

// By RealFunction.
constexpr std::array<Function, 10> kFunctions{
    ORaw::sine,       ORaw::cosine,          ORaw::tangent,          ORaw::arcSine,
    ORaw::arcCosine,  ORaw::arcTangent,      ORaw::radiansToDegrees, ORaw::degreesToRadians,
    ORaw::squareRoot, ORaw::naturalLogarithm};

} // namespace

void applyRealFunction(NativeCall& call, TInt32 function) {
    answerFixed(call, kFunctions[static_cast<std::size_t>(function)](fixedOperand(call)));
}

void logarithmToBase(NativeCall& call, TInt32) {
    const OFixed base = fixedOperand(call);
    answerFixed(call, ORaw::logarithm(fixedOperand(call), base));
}
