// String natives 32 to 35: the character that occurs most often.
#include "CodeUnit.h"
#include "ErrorHandling.h"
#include "StringFamilies.h"

#include <unordered_map>

namespace {

char16_t folded(char16_t unit, bool caseSensitive) {
    return caseSensitive ? unit : CodeUnit::toLower(unit);
}

// The character with the highest count in the text, the earliest on a tie; without case
// sensitivity counted and returned in lower case. No character raises
// DataFormatException.
char16_t mostFrequentUnit(const OString& text, bool caseSensitive) {
    if (text.isEmpty()) throwError(EDataFormat);
    std::unordered_map<char16_t, TInt32> counts;
    for (const char16_t unit : text.view())
        ++counts[folded(unit, caseSensitive)];
    char16_t best = 0;
    TInt32 bestCount = 0;
    for (const char16_t unit : text.view()) {
        const TInt32 count = counts[folded(unit, caseSensitive)];
        if (count > bestCount) {
            best = folded(unit, caseSensitive);
            bestCount = count;
        }
    }
    return best;
}

} // namespace

namespace StringNatives {

// Variant bit 0: a range; bit 1: a flag.
void mostFrequent(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 2);
    const TextRange range = optionalRange(call, variant & 1);
    const OString& text = call.string();
    call.answer(mostFrequentUnit(text.substring(range), caseSensitive));
}

} // namespace StringNatives
