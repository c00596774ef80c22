// String natives 48, 49, 134, 135, 150 and 153: new strings as results.
#include "StringFamilies.h"

#include <utility>

namespace StringNatives {

void concatenated(NativeCall& call, TInt32) {
    const OString& second = call.string();
    OString text = call.string();
    text.append(second);
    call.answer(call.newString(std::move(text)));
}

void repeated(NativeCall& call, TInt32) {
    const TInt32 times = call.integer();
    OString text = call.string();
    text.repeat(times);
    call.answer(call.newString(std::move(text)));
}

void fromInt(NativeCall& call, TInt32) {
    call.answer(call.newString(OString::number(call.integer())));
}

// The value is taken as unsigned.
void fromIntInRadix(NativeCall& call, TInt32) {
    const TInt32 radix = call.integer();
    call.answer(call.newString(OString::numberInRadix(call.word(), radix)));
}

void substring(NativeCall& call, TInt32) {
    call.answer(call.newString(substringOperand(call)));
}

// The result is a reference of depth 2: a new cell that refers to the string's cell.
void substringReference(NativeCall& call, TInt32) {
    call.answer(call.newCell(call.newString(substringOperand(call))));
}

} // namespace StringNatives
