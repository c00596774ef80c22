// The float native group 36: single-precision floats, one slot each, with IEEE
// arithmetic. Its function numbers start at 0.
#include "ErrorHandling.h"
#include "FixedOperands.h"
#include "VirtualMachine.h"

#include <QString>

#include <bit>
#include <string>

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

// 1 to 4 on two values, 6 to 9 on a variable and a value.
float calculated(TInt32 operation, float x, float y) {
    switch (operation) {
    case 1: return x + y;
    case 2: return x - y;
    case 3: return x * y;
    default: return x / y; // 4
    }
}

void updateVariable(NativeCall& call, TInt32 operation) {
    const float y = floatOperand(call);
    const TVMAddress variable = call.word();
    AddressSpace& memory = call.memory();
    memory.store32(variable, wordOf(calculated(operation, floatOf(memory.load32(variable)), y)));
    call.pop();
}

// Six significant digits, in exponent form for large and small magnitudes.
OString text(float value) {
    const QString digits = QString::number(static_cast<double>(value), 'g', 6);
    return OString(reinterpret_cast<const char16_t*>(digits.utf16()),
                   static_cast<TInt32>(digits.size()));
}

} // namespace

void VirtualMachine::floatNative(TInt32 function) {
    NativeCall call(*this, 36);
    if (function >= 1 && function <= 4) {
        const float y = floatOperand(call);
        call.answer(wordOf(calculated(function, floatOperand(call), y)));
    } else if (function >= 6 && function <= 9) {
        updateVariable(call, function - 5);
    } else if (function == 0) {
        call.answer(wordOf(static_cast<float>(ORaw::toReal(fixedOperand(call)))));
    } else if (function == 5) {
        call.answer(wordOf(-floatOperand(call)));
    } else if (function == 10) {
        call.answer(call.newString(text(floatOperand(call))));
    } else {
        throwError(EVMException, ("Float: invalid opcode: " + std::to_string(function)).c_str());
    }
}
