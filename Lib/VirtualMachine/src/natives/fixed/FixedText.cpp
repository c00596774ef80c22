// Fixed natives 4, 24 and 25: text to fixed, and fixed variables to text.
#include "FixedFamilies.h"

namespace {

// 24 with a count of decimals, 25 in the exact form.
void answerText(NativeCall& call, TInt32 decimals) {
    const OFixed value = loadFixed(call, call.word());
    call.answer(call.newString(ORaw::format(value, decimals)));
}

} // namespace

bool convertFixedText(NativeCall& call, TInt32 function) {
    switch (function) {
    case 4: answerFixed(call, ORaw::parse(call.string())); return true;
    case 24: {
        const TInt32 decimals = call.integer();
        answerText(call, decimals);
        return true;
    }
    case 25: answerText(call, -1); return true;
    default: return false;
    }
}
