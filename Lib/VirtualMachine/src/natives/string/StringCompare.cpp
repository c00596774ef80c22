// String natives 138 to 149: ordering and equality. The ordering tests 140 to 145 compare
// exactly; the others ignore case unless a flag says otherwise.
#include "ErrorHandling.h"
#include "StringFamilies.h"

#include <utility>

namespace {

// 139: the range of s against t. A negative length from index 0 compares the whole
// strings; against an empty t the range's length decides, without testing the range.
TInt32 compareRange(const OString& text, RangeOperand range, const OString& other,
                    bool caseSensitive) {
    if (range.length < 0 && range.first == 0) return text.compare(other, caseSensitive);
    if (other.isEmpty())
        return static_cast<TInt32>(
            signOf(range.length >= 0 ? range.length : TInt64{text.length()} - range.first));
    return text.compare(TextRange::ofCount(range.first, range.length), other, caseSensitive);
}

// 148, 149: a negative length from index 0 is plain equality; otherwise an empty t raises
// InvalidArgumentException.
bool regionEquals(const OString& text, RangeOperand range, const OString& other,
                  bool caseSensitive) {
    if (range.length < 0 && range.first == 0) return text.equals(other, caseSensitive);
    if (other.isEmpty()) throwError(EInvalidArgument);
    return text.regionEquals(TextRange::ofCount(range.first, range.length), other, caseSensitive);
}

// Variant bit 0: a flag; bit 1: a range. Without a range the whole strings take part.
struct ComparedOperands {
    const OString& text;
    OString other;
    RangeOperand range;
    bool caseSensitive;
};

ComparedOperands comparedOperands(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const RangeOperand range = variant & 2 ? call.range() : RangeOperand{0, -1};
    OString other = call.string();
    return {call.string(), std::move(other), range, caseSensitive};
}

TInt32 exactComparison(NativeCall& call) {
    const OString other = call.string();
    return call.string().compare(other, true);
}

} // namespace

namespace StringNatives {

// The sign of the comparison.
void compare(NativeCall& call, TInt32 variant) {
    const ComparedOperands in = comparedOperands(call, variant);
    call.answer(signOf(compareRange(in.text, in.range, in.other, in.caseSensitive)));
}

void equals(NativeCall& call, TInt32 variant) {
    const ComparedOperands in = comparedOperands(call, variant);
    call.answer(truth(regionEquals(in.text, in.range, in.other, in.caseSensitive)));
}

void equalsExactly(NativeCall& call, TInt32) {
    call.answer(truth(exactComparison(call) == 0));
}

void notEqualsExactly(NativeCall& call, TInt32) {
    call.answer(truth(exactComparison(call) != 0));
}

void lessExactly(NativeCall& call, TInt32) {
    call.answer(truth(exactComparison(call) < 0));
}

void lessOrEqualExactly(NativeCall& call, TInt32) {
    call.answer(truth(exactComparison(call) <= 0));
}

void greaterExactly(NativeCall& call, TInt32) {
    call.answer(truth(exactComparison(call) > 0));
}

void greaterOrEqualExactly(NativeCall& call, TInt32) {
    call.answer(truth(exactComparison(call) >= 0));
}

} // namespace StringNatives
