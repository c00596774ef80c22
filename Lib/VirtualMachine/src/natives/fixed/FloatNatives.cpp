// The float native group 36: single-precision floats, one slot each, with IEEE
// arithmetic. Its function numbers start at 0. The names with Variable take a float
// variable reference as their left operand (one slot, the address of a 4-byte variable)
// and store their result there.
#include "FixedOperands.h"
#include "NativeGroups.h"

#include <QString>

#include <bit>

namespace {

float floatOf(TUint32 word) {
    return std::bit_cast<float>(word);
}

TUint32 wordOf(float value) {
    return std::bit_cast<TUint32>(value);
}

float floatOperand(NativeCall& call) {
    return floatOf(call.word());
}

enum Operation : TInt32 { EAdd, ESubtract, EMultiply, EDivide };

float calculated(TInt32 operation, float x, float y) {
    switch (operation) {
    case EAdd: return x + y;
    case ESubtract: return x - y;
    case EMultiply: return x * y;
    default: return x / y; // EDivide
    }
}

void calculate(NativeCall& call, TInt32 operation) {
    const float y = floatOperand(call);
    call.answer(wordOf(calculated(operation, floatOperand(call), y)));
}

void updateVariable(NativeCall& call, TInt32 operation) {
    const float y = floatOperand(call);
    const TVMAddress variable = call.word();
    AddressSpace& memory = call.memory();
    memory.store32(variable, wordOf(calculated(operation, floatOf(memory.load32(variable)), y)));
    call.pop();
}

void fromFixed(NativeCall& call, TInt32) {
    call.answer(wordOf(static_cast<float>(ORaw::toReal(fixedOperand(call)))));
}

void negate(NativeCall& call, TInt32) {
    call.answer(wordOf(-floatOperand(call)));
}

// Six significant digits, in exponent form for large and small magnitudes.
OString text(float value) {
    const QString digits = QString::number(static_cast<double>(value), 'g', 6);
    return OString(reinterpret_cast<const char16_t*>(digits.utf16()),
                   static_cast<TInt32>(digits.size()));
}

void toText(NativeCall& call, TInt32) {
    call.answer(call.newString(text(floatOperand(call))));
}

constexpr NativeFunction kFunctions[] = {
    {0, "fromFixed", fromFixed},
    {1, "add", calculate, EAdd},
    {2, "subtract", calculate, ESubtract},
    {3, "multiply", calculate, EMultiply},
    {4, "divide", calculate, EDivide},
    {5, "negate", negate},
    {6, "addVariable", updateVariable, EAdd},
    {7, "subtractVariable", updateVariable, ESubtract},
    {8, "multiplyVariable", updateVariable, EMultiply},
    {9, "divideVariable", updateVariable, EDivide},
    {10, "toText", toText},
};

} // namespace

constinit const NativeTable kFloatNatives{kFunctions};
