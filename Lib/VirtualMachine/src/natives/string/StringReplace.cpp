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
    call.pop();
}

// The remove families: their operands are those of the search families.
void removeFamily(NativeCall& call, Occurrence which, TInt32 variant) {
    const PatternOperands in = patternOperands(call, variant);
    replace(in.text, which, in.pattern, OString(), in.range, in.caseSensitive);
    call.pop();
}

} // namespace

namespace StringNatives {

void replaceFirst(NativeCall& call, TInt32 variant) {
    replaceFamily(call, Occurrence::First, variant);
}

void replaceLast(NativeCall& call, TInt32 variant) {
    replaceFamily(call, Occurrence::Last, variant);
}

void replaceAll(NativeCall& call, TInt32 variant) {
    replaceFamily(call, Occurrence::Every, variant);
}

// Every occurrence, the range before the pattern; variant 1 has a flag.
void replaceAllRangeFirst(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString replacement = call.string();
    const OString pattern = call.string();
    const TextRange range = textRange(call);
    replace(call.string(), Occurrence::Every, pattern, replacement, range, caseSensitive);
    call.pop();
}

void removeFirst(NativeCall& call, TInt32 variant) {
    removeFamily(call, Occurrence::First, variant);
}

void removeLast(NativeCall& call, TInt32 variant) {
    removeFamily(call, Occurrence::Last, variant);
}

void removeAll(NativeCall& call, TInt32 variant) {
    removeFamily(call, Occurrence::Every, variant);
}

} // namespace StringNatives
