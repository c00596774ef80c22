// Fixed natives between text and fixed values.
#include "FixedFamilies.h"

namespace {

// With a count of decimals, or -1 for the exact form.
void answerText(NativeCall& call, TInt32 decimals) {
    const OFixed value = loadFixed(call, call.word());
    call.answer(call.newString(ORaw::format(value, decimals)));
}

} // namespace

void parseFixed(NativeCall& call, TInt32) {
    answerFixed(call, ORaw::parse(call.string()));
}

void fixedVariableToText(NativeCall& call, TInt32) {
    const TInt32 decimals = call.integer();
    answerText(call, decimals);
}

void fixedVariableToExactText(NativeCall& call, TInt32) {
    answerText(call, -1);
}
