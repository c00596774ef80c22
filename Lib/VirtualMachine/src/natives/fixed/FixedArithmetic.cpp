// Fixed natives 5 to 17: arithmetic on fixed values, and on fixed variables in place.
#include "FixedFamilies.h"

namespace {

using Operation = OFixed (*)(OFixed, OFixed);

// 7 to 11 on two values, 12 to 15 on a variable and a value.
constexpr std::array<Operation, 5> kOperations{ORaw::add, ORaw::subtract, ORaw::multiply,
                                               ORaw::divide, ORaw::pow};

void answerOnValues(NativeCall& call, Operation operation) {
    const OFixed b = fixedOperand(call);
    const OFixed a = fixedOperand(call);
    answerFixed(call, operation(a, b));
}

void updateVariable(NativeCall& call, Operation operation, OFixed b) {
    const TVMAddress variable = call.word();
    storeFixed(call, variable, operation(loadFixed(call, variable), b));
    call.pop();
}

} // namespace

bool calculateFixed(NativeCall& call, TInt32 function) {
    if (function == 5 || function == 6) {
        const OFixed value = fixedOperand(call);
        answerFixed(call, function == 5 ? ORaw::abs(value) : ORaw::negate(value));
    } else if (function >= 7 && function <= 11) {
        answerOnValues(call, kOperations[function - 7]);
    } else if (function >= 12 && function <= 15) {
        updateVariable(call, kOperations[function - 12], fixedOperand(call));
    } else if (function == 16 || function == 17) {
        updateVariable(call, function == 16 ? ORaw::add : ORaw::subtract, ORaw::kOne);
    } else {
        return false;
    }
    return true;
}
