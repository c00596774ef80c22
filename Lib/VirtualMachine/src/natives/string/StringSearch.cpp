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

// The eight-variant families; 16 itself is the find of the queries.
void searchFamily(NativeCall& call, Search kind, TInt32 variant) {
    const PatternOperands in = patternOperands(call, variant);
    call.answer(
        static_cast<TUint32>(search(kind, in.text, in.pattern, in.range, in.caseSensitive)));
}

// 155 to 158: the range comes before the pattern. Variant bit 0: a flag comes last; bit 1:
// the last index instead of the first.
void searchRangeFirst(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString pattern = call.string();
    const TextRange range = textRange(call);
    const OString& text = call.string();
    const Search kind = variant & 2 ? Search::Last : Search::First;
    call.answer(static_cast<TUint32>(search(kind, text, pattern, range, caseSensitive)));
}

} // namespace

bool searchString(NativeCall& call, TInt32 number) {
    if (number > 16 && variantIn(number, 16) >= 0)
        searchFamily(call, Search::First, variantIn(number, 16));
    else if (variantIn(number, 24) >= 0)
        searchFamily(call, Search::Last, variantIn(number, 24));
    else if (variantIn(number, 36) >= 0)
        searchFamily(call, Search::Count, variantIn(number, 36));
    else if (number >= 155 && number <= 158)
        searchRangeFirst(call, number - 155);
    else
        return false;
    return true;
}
