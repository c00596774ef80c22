// String natives 138 to 149: ordering and equality. The ordering operations 140 to 145
// compare exactly; the others ignore case unless a flag says otherwise.
#include "ErrorHandling.h"
#include "StringFamilies.h"

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

bool ordered(TInt32 number, TInt32 comparison) {
    switch (number) {
    case 140: return comparison == 0;
    case 141: return comparison != 0;
    case 142: return comparison < 0;
    case 143: return comparison <= 0;
    case 144: return comparison > 0;
    default: return comparison >= 0; // 145
    }
}

// 138, 139, 147 to 149 take a flag; 146 to 149 answer equality, 138 and 139 the sign.
void compareUnderCaseRule(NativeCall& call, TInt32 number) {
    const bool caseSensitive = caseRule(call, number != 146 && number != 148);
    const bool hasRange = number == 139 || number == 148 || number == 149;
    // Without a range operand the whole strings take part.
    const RangeOperand range = hasRange ? call.range() : RangeOperand{0, -1};
    const OString other = call.string();
    const OString& text = call.string();
    if (number == 138 || number == 139)
        call.answer(signOf(compareRange(text, range, other, caseSensitive)));
    else
        call.answer(truth(regionEquals(text, range, other, caseSensitive)));
}

} // namespace

bool compareStrings(NativeCall& call, TInt32 number) {
    if (number >= 140 && number <= 145) {
        const OString other = call.string();
        call.answer(truth(ordered(number, call.string().compare(other, true))));
    } else if (number >= 138 && number <= 149) {
        compareUnderCaseRule(call, number);
    } else {
        return false;
    }
    return true;
}
