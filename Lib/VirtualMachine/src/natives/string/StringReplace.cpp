// String natives 69 to 92, 159 and 160 (replacing) and 95 to 118 (removing): the first,
// the last or every occurrence of a pattern, within a range. Removing is replacing by
// nothing.
#include "StringFamilies.h"

namespace {

enum class Occurrence { First, Last, Every };

void replace(OString& text, Occurrence which, const OString& pattern, const OString& replacement,
             TextRange range, bool caseSensitive) {
    switch (which) {
    case Occurrence::First: text.replaceFirst(pattern, replacement, range, caseSensitive); return;
    case Occurrence::Last: text.replaceLast(pattern, replacement, range, caseSensitive); return;
    default: text.replaceAll(pattern, replacement, range, caseSensitive); return;
    }
}

// The replace families: variant bit 0: a flag comes last; bit 1: the replacement is a
// character; bit 2: a range follows the pattern.
void replaceFamily(NativeCall& call, Occurrence which, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString replacement = textOrUnit(call, variant & 2);
    const TextRange range = optionalRange(call, variant & 4);
    const OString pattern = call.string();
    replace(call.string(), which, pattern, replacement, range, caseSensitive);
}

// 159 and 160: every occurrence, the range before the pattern; 160 has a flag.
void replaceEveryInRange(NativeCall& call, bool hasFlag) {
    const bool caseSensitive = caseRule(call, hasFlag);
    const OString replacement = call.string();
    const OString pattern = call.string();
    const TextRange range = textRange(call);
    replace(call.string(), Occurrence::Every, pattern, replacement, range, caseSensitive);
}

void removeFamily(NativeCall& call, Occurrence which, TInt32 variant) {
    const PatternOperands in = patternOperands(call, variant);
    replace(in.text, which, in.pattern, OString(), in.range, in.caseSensitive);
}

} // namespace

bool replaceInString(NativeCall& call, TInt32 number) {
    constexpr Occurrence kOrder[] = {Occurrence::First, Occurrence::Last, Occurrence::Every};
    for (TInt32 i = 0; i < 3; ++i) {
        const Occurrence which = kOrder[i];
        if (const TInt32 variant = variantIn(number, 69 + 8 * i); variant >= 0) {
            replaceFamily(call, which, variant);
            call.pop();
            return true;
        }
        if (const TInt32 variant = variantIn(number, 95 + 8 * i); variant >= 0) {
            removeFamily(call, which, variant);
            call.pop();
            return true;
        }
    }
    if (number != 159 && number != 160) return false;
    replaceEveryInRange(call, number == 160);
    call.pop();
    return true;
}
