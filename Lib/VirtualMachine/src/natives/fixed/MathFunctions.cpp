// Math natives 1 to 11: real functions of fixed values, through double precision.
#include "MathFamilies.h"

namespace {

using Function = OFixed (*)(OFixed);

// 1 to 9, in place.
constexpr std::array<Function, 9> kFunctions{
    ORaw::sine,      ORaw::cosine,     ORaw::tangent,          ORaw::arcSine,
    ORaw::arcCosine, ORaw::arcTangent, ORaw::radiansToDegrees, ORaw::degreesToRadians,
    ORaw::squareRoot};

} // namespace

bool applyRealFunction(NativeCall& call, TInt32 function) {
    if (function >= 1 && function <= 9) {
        answerFixed(call, kFunctions[function - 1](fixedOperand(call)));
    } else if (function == 10) {
        const OFixed base = fixedOperand(call);
        answerFixed(call, ORaw::logarithm(fixedOperand(call), base));
    } else if (function == 11) {
        answerFixed(call, ORaw::naturalLogarithm(fixedOperand(call)));
    } else {
        return false;
    }
    return true;
}
