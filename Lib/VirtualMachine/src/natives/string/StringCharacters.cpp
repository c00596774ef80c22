// String natives 129 to 137: character case and classes, and numbers from text.
#include "CodeUnit.h"
#include "StringFamilies.h"

namespace {

TUint32 characterResult(TInt32 number, char16_t unit) {
    switch (number) {
    case 129: return CodeUnit::toLower(unit);
    case 130: return CodeUnit::toUpper(unit);
    case 131: return truth(CodeUnit::isLetter(unit));
    case 132: return truth(CodeUnit::isDigit(unit));
    default: return truth(CodeUnit::isSpace(unit)); // 133
    }
}

// 137: radix 10 is the decimal parse, which allows a sign.
TInt32 parsedInRadix(NativeCall& call) {
    const TInt32 radix = call.integer();
    const OString& text = call.string();
    return radix == 10 ? text.toInt() : text.toInt(radix);
}

} // namespace

bool convertCharacters(NativeCall& call, TInt32 number) {
    if (number >= 129 && number <= 133)
        call.answer(characterResult(number, call.unit()));
    else if (number == 136)
        call.answer(static_cast<TUint32>(call.string().toInt()));
    else if (number == 137)
        call.answer(static_cast<TUint32>(parsedInRadix(call)));
    else
        return false;
    return true;
}
