// String natives 48, 49, 134, 135, 150 and 153: new strings as results.
#include "StringFamilies.h"

namespace {

OString joined(NativeCall& call) {
    const OString& second = call.string();
    OString text = call.string();
    text.append(second);
    return text;
}

OString repeated(NativeCall& call) {
    const TInt32 times = call.integer();
    OString text = call.string();
    text.repeat(times);
    return text;
}

OString inRadix(NativeCall& call) {
    const TInt32 radix = call.integer();
    return OString::numberInRadix(call.word(), radix);
}

} // namespace

bool makeString(NativeCall& call, TInt32 number) {
    switch (number) {
    case 48: call.answer(call.newString(joined(call))); return true;
    case 49: call.answer(call.newString(repeated(call))); return true;
    case 134: call.answer(call.newString(OString::number(call.integer()))); return true;
    case 135: call.answer(call.newString(inRadix(call))); return true;
    case 150: call.answer(call.newString(substringOperand(call))); return true;
    case 153: {
        // The result is a reference of depth 2: a new cell that refers to the string's cell.
        call.answer(call.newCell(call.newString(substringOperand(call))));
        return true;
    }
    default: return false;
    }
}
