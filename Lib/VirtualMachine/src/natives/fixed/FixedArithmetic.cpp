// Fixed natives that calculate, on fixed values and on fixed variables in place.
#include "FixedFamilies.h"

namespace {

using Operation = OFixed (*)(OFixed, OFixed);

// By FixedOperation.
constexpr std::array<Operation, 5> kOperations{ORaw::add, ORaw::subtract, ORaw::multiply,
                                               ORaw::divide, ORaw::pow};

Operation operationOf(TInt32 operation) {
    return kOperations[static_cast<std::size_t>(operation)];
}

void updateVariable(NativeCall& call, Operation operation, OFixed b) {
    const TVMAddress variable = call.word();
    storeFixed(call, variable, operation(loadFixed(call, variable), b));
    call.pop();
}

} // namespace

void absoluteFixed(NativeCall& call, TInt32) {
    answerFixed(call, ORaw::abs(fixedOperand(call)));
}

void negateFixed(NativeCall& call, TInt32) {
    answerFixed(call, ORaw::negate(fixedOperand(call)));
}

void calculateFixeds(NativeCall& call, TInt32 operation) {
    const OFixed b = fixedOperand(call);
    const OFixed a = fixedOperand(call);
    answerFixed(call, operationOf(operation)(a, b));
}

void calculateFixedVariable(NativeCall& call, TInt32 operation) {
    updateVariable(call, operationOf(operation), fixedOperand(call));
}

void stepFixedVariable(NativeCall& call, TInt32 operation) {
    updateVariable(call, operationOf(operation), ORaw::kOne);
}
