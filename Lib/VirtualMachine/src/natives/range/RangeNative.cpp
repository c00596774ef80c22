// The range native group 14. A range is a pair (first, count) in an 8-byte variable, first
// word first; a count of -1 runs to the end. The natives that make or change a range take a
// reference to its variable, the comparisons take two ranges as two slots each. A failed
// requirement raises InvalidArgumentException and leaves the variable as it was.
#include "ErrorHandling.h"
#include "NativeCall.h"
#include "VirtualMachine.h"

#include <limits>

namespace {

struct Range {
    TInt32 first = 0;
    TInt32 count = 0;
};

void require(bool condition) {
    if (!condition) throwError(EInvalidArgument);
}

Range loadRange(NativeCall& call, TVMAddress variable) {
    return {static_cast<TInt32>(call.memory().load32(variable)),
            static_cast<TInt32>(call.memory().load32(variable + 4))};
}

void storeRange(NativeCall& call, TVMAddress variable, Range range) {
    call.memory().store32(variable, static_cast<TUint32>(range.first));
    call.memory().store32(variable + 4, static_cast<TUint32>(range.count));
}

// Stores the range into the variable the last operand refers to, and pops the operands.
void storeInTarget(NativeCall& call, Range range) {
    storeRange(call, call.word(), range);
    call.pop();
}

// 2: the target gets the source's pair.
void copy(NativeCall& call) {
    const Range source = loadRange(call, call.word());
    storeInTarget(call, source);
}

// 3: from the first and the last index, both included.
Range fromFirstAndLast(NativeCall& call) {
    const TInt32 last = call.integer();
    const TInt32 first = call.integer();
    require(first >= 0 && first <= last);
    const TInt64 count = TInt64{last} - first + 1;
    // (0, 2^31 - 1) would have a count beyond 32 bits.
    require(count <= std::numeric_limits<TInt32>::max());
    return {first, static_cast<TInt32>(count)};
}

// 4: from the first index and the count.
Range fromFirstAndCount(NativeCall& call) {
    const TInt32 count = call.integer();
    const TInt32 first = call.integer();
    require(first >= 0 && count >= 0);
    return {first, count};
}

// 11 and 12: from the first index to the end.
Range toTheEnd(NativeCall& call) {
    const TInt32 first = call.integer();
    require(first >= 0);
    return {first, -1};
}

// 7 and 8: a new first index or count.
void setPart(NativeCall& call, TInt32 Range::*part) {
    const TInt32 value = call.integer();
    require(value >= 0);
    const TVMAddress variable = call.word();
    Range range = loadRange(call, variable);
    range.*part = value;
    storeRange(call, variable, range);
    call.pop();
}

bool equal(NativeCall& call) {
    const RangeOperand b = call.uncheckedRange();
    const RangeOperand a = call.uncheckedRange();
    return a.first == b.first && a.length == b.length;
}

} // namespace

void VirtualMachine::rangeNative(TInt32 function) {
    NativeCall call(*this, 14);
    switch (function) {
    case 1: return storeInTarget(call, {});
    case 2: return copy(call);
    case 3: return storeInTarget(call, fromFirstAndLast(call));
    case 4: return storeInTarget(call, fromFirstAndCount(call));
    case 5: return call.answer(static_cast<TUint32>(loadRange(call, call.word()).first));
    case 6: return call.answer(static_cast<TUint32>(loadRange(call, call.word()).count));
    case 7: return setPart(call, &Range::first);
    case 8: return setPart(call, &Range::count);
    case 9: return call.answer(equal(call) ? 1 : 0);
    case 10: return call.answer(equal(call) ? 0 : 1);
    case 11:
    case 12: return storeInTarget(call, toTheEnd(call));
    default: unknownNativeFunction("Range:");
    }
}
