#include "TextOperands.h"

TextRange textRange(NativeCall& call) {
    const RangeOperand range = call.range();
    return TextRange::ofCount(range.first, range.length);
}

TextRange optionalRange(NativeCall& call, bool hasRange) {
    return hasRange ? textRange(call) : TextRange{};
}

bool caseRule(NativeCall& call, bool hasFlag) {
    return hasFlag && call.flag();
}

OString textOrUnit(NativeCall& call, bool isUnit) {
    if (!isUnit) return call.string();
    const char16_t unit = call.unit();
    return OString(&unit, 1);
}

OString substringOperand(NativeCall& call) {
    const RangeOperand range = call.range();
    const OString& text = call.string();
    if (range.length < 0 && range.first >= text.length()) return {};
    return text.substring(TextRange::ofCount(range.first, range.length));
}

bool isEmptyRange(TextRange range, const OString& text) {
    const TInt32 last = range.to == TextRange::ToEnd ? text.length() - 1 : range.to;
    return range.from == 0 && last == -1;
}

PatternOperands patternOperands(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 2);
    const TextRange range = optionalRange(call, variant & 1);
    OString pattern = textOrUnit(call, variant & 4);
    return {call.string(), std::move(pattern), range, caseSensitive};
}

TUint32 truth(bool value) {
    return value ? 1 : 0;
}

TUint32 signOf(TInt64 value) {
    return static_cast<TUint32>(value < 0 ? -1 : value > 0 ? 1 : 0);
}
