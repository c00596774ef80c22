// String natives 10 to 16 and 44 to 47: length, characters, find, prefix and suffix.
#include "StringFamilies.h"

namespace StringNatives {

void length(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(call.string().length()));
}

void isEmpty(NativeCall& call, TInt32) {
    call.answer(truth(call.string().isEmpty()));
}

void charAt(NativeCall& call, TInt32) {
    const TInt32 index = call.integer();
    call.answer(call.string().at(index));
}

void firstChar(NativeCall& call, TInt32) {
    call.answer(call.string().at(0));
}

void lastChar(NativeCall& call, TInt32) {
    const OString& text = call.string();
    call.answer(text.at(text.length() - 1));
}

// The range (first, length) of the first occurrence, ignoring case; (0, 0) for none.
void find(NativeCall& call, TInt32) {
    const OString pattern = call.string();
    const TInt32 at = call.string().indexOf(pattern, {}, false);
    const TUint32 range[] = {at < 0 ? 0 : static_cast<TUint32>(at),
                             at < 0 ? 0 : static_cast<TUint32>(pattern.length())};
    call.answerWords(range);
}

// Variant bit 0: a flag; bit 1: the end instead of the start.
void startsOrEndsWith(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString pattern = call.string();
    const OString& text = call.string();
    call.answer(truth(variant & 2 ? text.endsWith(pattern, caseSensitive)
                                  : text.startsWith(pattern, caseSensitive)));
}

} // namespace StringNatives
