// The long native group 12: signed 64-bit arithmetic on long objects. In the binary
// functions a is the long that the lower operand refers to and b the one on top; a result
// either goes into a new long or replaces the value of a.
//
// Names: a binary operation makes a new long for its result; the same name ending in
// InPlace stores the result into a instead.
#include "LongOperands.h"
#include "LongRules.h"
#include "NativeGroups.h"

#include <array>
#include <functional>

namespace {

using Operation = TInt64 (*)(TInt64, TInt64);

TInt64 assigned(TInt64, TInt64 b) {
    return b;
}

// Both operands are read and checked before anything changes.
template <Operation operation> void combine(NativeCall& call, TInt32) {
    const TInt64 b = longOperand(call).value;
    const TInt64 a = longOperand(call).value;
    call.answer(newLong(call, operation(a, b)));
}

template <Operation operation> void update(NativeCall& call, TInt32) {
    const TInt64 b = longOperand(call).value;
    const LongOperand a = longOperand(call);
    storeLong(call, a.reference, operation(a.value, b));
    call.pop();
}

// 1 or 0.
template <class Relation> void compare(NativeCall& call, TInt32) {
    const TInt64 b = longOperand(call).value;
    const TInt64 a = longOperand(call).value;
    call.answer(Relation{}(a, b) ? 1 : 0);
}

// The long on top changes; pops it.
template <TInt64 (*newValue)(TInt64)> void change(NativeCall& call, TInt32) {
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

// The negation of the long under the top slot replaces the top slot.
void negateBelow(NativeCall& call, TInt32) {
    call.word();
    const TInt64 a = longOperand(call).value;
    const std::array<TUint32, 1> result{newLong(call, LongRules::negate(a))};
    call.answerWords(result, 1);
}

void toString(NativeCall& call, TInt32) {
    call.answer(call.newString(OString::number(longOperand(call).value)));
}

void toInt(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(longOperand(call).value));
}

void fromInt(NativeCall& call, TInt32) {
    call.answer(newLong(call, call.integer()));
}

constexpr NativeFunction kFunctions[] = {
    {1, "setZero", change<zero>},
    {2, "assign", update<assigned>},
    {3, "secondAssign", update<assigned>},
    {5, "add", combine<LongRules::add>},
    {6, "subtract", combine<LongRules::subtract>},
    {7, "multiply", combine<LongRules::multiply>},
    {8, "divide", combine<LongRules::divide>},
    {9, "remainder", combine<LongRules::remainder>},
    {10, "negate", negateBelow},
    {11, "increment", change<incremented>},
    {12, "decrement", change<decremented>},
    {13, "addInPlace", update<LongRules::add>},
    {14, "subtractInPlace", update<LongRules::subtract>},
    {15, "multiplyInPlace", update<LongRules::multiply>},
    {16, "divideInPlace", update<LongRules::divide>},
    {17, "remainderInPlace", update<LongRules::remainder>},
    {18, "equal", compare<std::equal_to<TInt64>>},
    {19, "less", compare<std::less<TInt64>>},
    {20, "lessOrEqual", compare<std::less_equal<TInt64>>},
    {21, "notEqual", compare<std::not_equal_to<TInt64>>},
    {22, "greater", compare<std::greater<TInt64>>},
    {23, "greaterOrEqual", compare<std::greater_equal<TInt64>>},
    {24, "bitAnd", combine<LongRules::bitAnd>},
    {25, "bitOr", combine<LongRules::bitOr>},
    {26, "bitXor", combine<LongRules::bitXor>},
    {27, "shiftLeft", combine<LongRules::shiftLeft>},
    {28, "shiftRight", combine<LongRules::shiftRight>},
    {29, "bitAndInPlace", update<LongRules::bitAnd>},
    {30, "bitOrInPlace", update<LongRules::bitOr>},
    {31, "bitXorInPlace", update<LongRules::bitXor>},
    {32, "shiftLeftInPlace", update<LongRules::shiftLeft>},
    {33, "shiftRightInPlace", update<LongRules::shiftRight>},
    {34, "toString", toString},
    {35, "nothing", nothing},
    {36, "secondNothing", nothing},
    {37, "toInt", toInt},
    {38, "fromInt", fromInt},
};

} // namespace

constinit const NativeTable kLongNatives{kFunctions};
