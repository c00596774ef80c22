// The character native group 10: case, classes and conversions of UTF-16 code units.
// A character operand is the low 16 bits of its slot.
#include "CodeUnit.h"
#include "NativeCall.h"
#include "VirtualMachine.h"

namespace {

TUint32 truth(bool value) {
    return value ? 1 : 0;
}

// 3 to 7: the result replaces the character.
TUint32 characterResult(TInt32 function, char16_t unit) {
    switch (function) {
    case 3: return CodeUnit::toLower(unit);
    case 4: return CodeUnit::toUpper(unit);
    case 5: return truth(CodeUnit::isLetter(unit));
    case 6: return truth(CodeUnit::isDigit(unit));
    default: return truth(CodeUnit::isSpace(unit)); // 7
    }
}

// 1 and 2: the case-mapped character replaces the slot under it, whatever that holds.
void mapIntoSlotBelow(NativeCall& call, char16_t (*map)(char16_t)) {
    const char16_t unit = call.unit();
    call.word();
    call.answer(map(unit));
}

} // namespace

void VirtualMachine::charNative(TInt32 function) {
    NativeCall call(*this, 10);
    switch (function) {
    case 1: return mapIntoSlotBelow(call, CodeUnit::toLower);
    case 2: return mapIntoSlotBelow(call, CodeUnit::toUpper);
    case 3:
    case 4:
    case 5:
    case 6:
    case 7: return call.answer(characterResult(function, call.unit()));
    case 8: {
        const char16_t unit = call.unit();
        return call.answer(call.newString(OString(&unit, 1)));
    }
    case 9: return call.answer(call.unit());
    default: unknownNativeFunction("Char:");
    }
}
