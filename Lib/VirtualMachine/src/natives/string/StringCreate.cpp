// String natives 1, 2, 4, 5, 7, 8 and 9: a new string stored into a destination cell.
#include "StringFamilies.h"

namespace {

OString madeString(NativeCall& call, TInt32 number) {
    switch (number) {
    case 1: return {};
    case 2:
    case 4: return call.string();
    case 5: {
        const TInt32 times = call.integer();
        return OString::filled(call.unit(), times);
    }
    case 7: return substringOperand(call);
    case 8: {
        const TInt32 step = call.integer();
        return call.string().everyNth(step);
    }
    default: {
        const TInt32 step = call.integer();
        const TextRange range = textRange(call);
        return call.string().everyNth(step, range);
    }
    }
}

} // namespace

bool createString(NativeCall& call, TInt32 number) {
    switch (number) {
    case 1:
    case 2:
    case 4:
    case 5:
    case 7:
    case 8:
    case 9: break;
    default: return false;
    }
    const OString made = madeString(call, number);
    call.storeString(call.word(), made);
    call.pop();
    return true;
}
