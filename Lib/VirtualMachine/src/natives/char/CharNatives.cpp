// The character native group 10: case, classes and conversions of UTF-16 code units.
// A character operand is the low 16 bits of its slot.
//
// Names: a name ending in Below leaves its result in the slot under the character,
// whatever that holds, and pops the character.
#include "CodeUnit.h"
#include "NativeCall.h"
#include "NativeGroups.h"

namespace {

// The result replaces the character; a class answers 1 or 0.
template <auto map> void replaceCharacter(NativeCall& call, TInt32) {
    call.answer(map(call.unit()));
}

template <auto map> void mapIntoSlotBelow(NativeCall& call, TInt32) {
    const char16_t unit = call.unit();
    call.word();
    call.answer(map(unit));
}

void toString(NativeCall& call, TInt32) {
    const char16_t unit = call.unit();
    call.answer(call.newString(OString(&unit, 1)));
}

void fromInt(NativeCall& call, TInt32) {
    call.answer(call.unit());
}

constexpr NativeFunction kFunctions[] = {
    {1, "toLowerBelow", mapIntoSlotBelow<CodeUnit::toLower>},
    {2, "toUpperBelow", mapIntoSlotBelow<CodeUnit::toUpper>},
    {3, "toLower", replaceCharacter<CodeUnit::toLower>},
    {4, "toUpper", replaceCharacter<CodeUnit::toUpper>},
    {5, "isLetter", replaceCharacter<CodeUnit::isLetter>},
    {6, "isDigit", replaceCharacter<CodeUnit::isDigit>},
    {7, "isSpace", replaceCharacter<CodeUnit::isSpace>},
    {8, "toString", toString},
    {9, "fromInt", fromInt},
};

} // namespace

constinit const NativeTable kCharNatives{kFunctions};
