// String natives 1, 2, 4, 5, 7, 8 and 9: a new string stored into a destination cell, the
// lowest operand.
#include "StringFamilies.h"

namespace {

// Stores the string made from the operands above the destination, which is read last.
void storeMade(NativeCall& call, const OString& made) {
    call.storeString(call.word(), made);
    call.pop();
}

} // namespace

namespace StringNatives {

void setEmpty(NativeCall& call, TInt32) {
    storeMade(call, OString());
}

void setCopy(NativeCall& call, TInt32) {
    storeMade(call, OString(call.string()));
}

void setFilled(NativeCall& call, TInt32) {
    const TInt32 times = call.integer();
    storeMade(call, OString::filled(call.unit(), times));
}

void setSubstring(NativeCall& call, TInt32) {
    storeMade(call, substringOperand(call));
}

void setEveryNth(NativeCall& call, TInt32) {
    const TInt32 step = call.integer();
    storeMade(call, call.string().everyNth(step));
}

void setEveryNthInRange(NativeCall& call, TInt32) {
    const TInt32 step = call.integer();
    const TextRange range = textRange(call);
    storeMade(call, call.string().everyNth(step, range));
}

} // namespace StringNatives
