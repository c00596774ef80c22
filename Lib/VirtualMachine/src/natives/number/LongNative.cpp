// The long native group 12: signed 64-bit arithmetic on long objects. In the binary
// functions a is the long that the lower operand refers to and b the one on top; a result
// either goes into a new long or replaces the value of a.
#include "LongOperands.h"
#include "LongRules.h"
#include "VirtualMachine.h"

#include <array>

namespace {

using Operation = TInt64 (*)(TInt64, TInt64);

TInt64 assigned(TInt64, TInt64 b) {
    return b;
}

// In function order: 5 to 9 with a new result, 13 to 17 in place.
constexpr std::array<Operation, 5> kArithmetic{LongRules::add, LongRules::subtract,
                                               LongRules::multiply, LongRules::divide,
                                               LongRules::remainder};
// 24 to 28 with a new result, 29 to 33 in place.
constexpr std::array<Operation, 5> kBitwise{LongRules::bitAnd, LongRules::bitOr, LongRules::bitXor,
                                            LongRules::shiftLeft, LongRules::shiftRight};

Operation newResultOperation(TInt32 function) {
    if (function >= 5 && function <= 9) return kArithmetic[function - 5];
    if (function >= 24 && function <= 28) return kBitwise[function - 24];
    return nullptr;
}

Operation inPlaceOperation(TInt32 function) {
    if (function == 2 || function == 3) return assigned;
    if (function >= 13 && function <= 17) return kArithmetic[function - 13];
    if (function >= 29 && function <= 33) return kBitwise[function - 29];
    return nullptr;
}

// Both operands are read and checked before anything changes.
void combine(NativeCall& call, Operation operation) {
    const TInt64 b = longOperand(call).value;
    const TInt64 a = longOperand(call).value;
    call.answer(newLong(call, operation(a, b)));
}

void update(NativeCall& call, Operation operation) {
    const TInt64 b = longOperand(call).value;
    const LongOperand a = longOperand(call);
    storeLong(call, a.reference, operation(a.value, b));
    call.pop();
}

// 18 to 23: 1 or 0.
bool compared(TInt32 function, TInt64 a, TInt64 b) {
    switch (function) {
    case 18: return a == b;
    case 19: return a < b;
    case 20: return a <= b;
    case 21: return a != b;
    case 22: return a > b;
    default: return a >= b; // 23
    }
}

void compare(NativeCall& call, TInt32 function) {
    const TInt64 b = longOperand(call).value;
    const TInt64 a = longOperand(call).value;
    call.answer(compared(function, a, b) ? 1 : 0);
}

// 1, 11, 12: the long on top changes; pops it.
void change(NativeCall& call, TInt64 (*newValue)(TInt64)) {
    const LongOperand operand = longOperand(call);
    storeLong(call, operand.reference, newValue(operand.value));
    call.pop();
}

TInt64 zero(TInt64) {
    return 0;
}
TInt64 incremented(TInt64 value) {
    return LongRules::add(value, 1);
}
TInt64 decremented(TInt64 value) {
    return LongRules::subtract(value, 1);
}

// 10: the negation of the long under the top slot replaces the top slot.
void negateBelow(NativeCall& call) {
    call.word();
    const TInt64 a = longOperand(call).value;
    const std::array<TUint32, 1> result{newLong(call, LongRules::negate(a))};
    call.answerWords(result, 1);
}

// The functions on one long: 1, 10 to 12, 34 to 38.
bool singleLong(NativeCall& call, TInt32 function) {
    switch (function) {
    case 1: change(call, zero); return true;
    case 10: negateBelow(call); return true;
    case 11: change(call, incremented); return true;
    case 12: change(call, decremented); return true;
    case 34: call.answer(call.newString(OString::number(longOperand(call).value))); return true;
    case 35:
    case 36: return true; // no operation
    case 37: call.answer(static_cast<TUint32>(longOperand(call).value)); return true;
    case 38: call.answer(newLong(call, call.integer())); return true;
    default: return false;
    }
}

} // namespace

void VirtualMachine::longNative(TInt32 function) {
    NativeCall call(*this, 12);
    if (const Operation operation = newResultOperation(function)) return combine(call, operation);
    if (const Operation operation = inPlaceOperation(function)) return update(call, operation);
    if (function >= 18 && function <= 23) return compare(call, function);
    if (!singleLong(call, function)) unknownNativeFunction("Long:");
}
