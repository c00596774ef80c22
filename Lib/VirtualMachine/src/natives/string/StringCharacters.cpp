// String natives 129 to 137: character case and classes, and numbers from text.
#include "CodeUnit.h"
#include "StringFamilies.h"

namespace StringNatives {

void charToLower(NativeCall& call, TInt32) {
    call.answer(CodeUnit::toLower(call.unit()));
}

void charToUpper(NativeCall& call, TInt32) {
    call.answer(CodeUnit::toUpper(call.unit()));
}

void isLetter(NativeCall& call, TInt32) {
    call.answer(truth(CodeUnit::isLetter(call.unit())));
}

void isDigit(NativeCall& call, TInt32) {
    call.answer(truth(CodeUnit::isDigit(call.unit())));
}

void isSpace(NativeCall& call, TInt32) {
    call.answer(truth(CodeUnit::isSpace(call.unit())));
}

void parseInt(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(call.string().toInt()));
}

// Radix 10 is the decimal parse, which allows a sign.
void parseIntInRadix(NativeCall& call, TInt32) {
    const TInt32 radix = call.integer();
    const OString& text = call.string();
    call.answer(static_cast<TUint32>(radix == 10 ? text.toInt() : text.toInt(radix)));
}

} // namespace StringNatives
