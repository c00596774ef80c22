// String natives 17 to 31, 36 to 43 and 155 to 158: index of, last index of and count.
#include "StringFamilies.h"

namespace {

enum class Search { First, Last, Count };

TInt32 search(Search kind, const OString& text, const OString& pattern, TextRange range,
              bool caseSensitive) {
    switch (kind) {
    case Search::First: return text.indexOf(pattern, range, caseSensitive);
    case Search::Last: return text.lastIndexOf(pattern, range, caseSensitive);
    default: return text.count(pattern, range, caseSensitive);
    }
}

// The eight-variant families.
void searchFamily(NativeCall& call, Search kind, TInt32 variant) {
    const PatternOperands in = patternOperands(call, variant);
    call.answer(
        static_cast<TUint32>(search(kind, in.text, in.pattern, in.range, in.caseSensitive)));
}

} // namespace

namespace StringNatives {

// Variants 1 to 7; variant 0 is the find of the queries.
void indexOf(NativeCall& call, TInt32 variant) {
    searchFamily(call, Search::First, variant);
}

void lastIndexOf(NativeCall& call, TInt32 variant) {
    searchFamily(call, Search::Last, variant);
}

void count(NativeCall& call, TInt32 variant) {
    searchFamily(call, Search::Count, variant);
}

// The range comes before the pattern. Variant bit 0: a flag comes last; bit 1: the last
// index instead of the first.
void searchRangeFirst(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString pattern = call.string();
    const TextRange range = textRange(call);
    const OString& text = call.string();
    const Search kind = variant & 2 ? Search::Last : Search::First;
    call.answer(static_cast<TUint32>(search(kind, text, pattern, range, caseSensitive)));
}

} // namespace StringNatives
