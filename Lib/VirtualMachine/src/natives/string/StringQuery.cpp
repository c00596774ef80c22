// String natives 10 to 16 and 44 to 47: length, characters, find, prefix and suffix.
#include "StringFamilies.h"

namespace {

// 16: the range (first, length) of the first occurrence, ignoring case; (0, 0) for none.
void find(NativeCall& call) {
    const OString pattern = call.string();
    const TInt32 at = call.string().indexOf(pattern, {}, false);
    const TUint32 range[] = {at < 0 ? 0 : static_cast<TUint32>(at),
                             at < 0 ? 0 : static_cast<TUint32>(pattern.length())};
    call.answerWords(range);
}

// 44 to 47: variant bit 0 a flag, bit 1 the end instead of the start.
void affix(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString pattern = call.string();
    const OString& text = call.string();
    call.answer(truth(variant & 2 ? text.endsWith(pattern, caseSensitive)
                                  : text.startsWith(pattern, caseSensitive)));
}

} // namespace

bool queryString(NativeCall& call, TInt32 number) {
    switch (number) {
    case 10: call.answer(static_cast<TUint32>(call.string().length())); return true;
    case 11: call.answer(truth(call.string().isEmpty())); return true;
    case 12: {
        const TInt32 index = call.integer();
        call.answer(call.string().at(index));
        return true;
    }
    case 14: call.answer(call.string().at(0)); return true;
    case 15: {
        const OString& text = call.string();
        call.answer(text.at(text.length() - 1));
        return true;
    }
    case 16: find(call); return true;
    case 44:
    case 45:
    case 46:
    case 47: affix(call, number - 44); return true;
    default: return false;
    }
}
