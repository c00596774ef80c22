// The range native group 14. A range is a pair (first, count) in an 8-byte variable, first
// word first; a count of -1 runs to the end. The natives that make or change a range take a
// reference to its variable, the comparisons take two ranges as two slots each. A failed
// requirement raises InvalidArgumentException and leaves the variable as it was.
#include "ErrorHandling.h"
#include "NativeCall.h"
#include "NativeGroups.h"

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

void reset(NativeCall& call, TInt32) {
    storeInTarget(call, {});
}

// The target gets the source's pair.
void copy(NativeCall& call, TInt32) {
    const Range source = loadRange(call, call.word());
    storeInTarget(call, source);
}

// From the first and the last index, both included.
Range fromFirstAndLast(NativeCall& call) {
    const TInt32 last = call.integer();
    const TInt32 first = call.integer();
    require(first >= 0 && first <= last);
    const TInt64 count = TInt64{last} - first + 1;
    // (0, 2^31 - 1) would have a count beyond 32 bits.
    require(count <= std::numeric_limits<TInt32>::max());
    return {first, static_cast<TInt32>(count)};
}

// From the first index and the count.
Range fromFirstAndCount(NativeCall& call) {
    const TInt32 count = call.integer();
    const TInt32 first = call.integer();
    require(first >= 0 && count >= 0);
    return {first, count};
}

// From the first index to the end.
Range fromFirstToEnd(NativeCall& call) {
    const TInt32 first = call.integer();
    require(first >= 0);
    return {first, -1};
}

// A new first index or count.
template <TInt32 Range::*part> void setPart(NativeCall& call, TInt32) {
    const TInt32 value = call.integer();
    require(value >= 0);
    const TVMAddress variable = call.word();
    Range range = loadRange(call, variable);
    range.*part = value;
    storeRange(call, variable, range);
    call.pop();
}

// Stores the range that `make` reads from the operands into the target.
template <Range (*make)(NativeCall&)> void storeMade(NativeCall& call, TInt32) {
    storeInTarget(call, make(call));
}

template <TInt32 Range::*part> void answerPart(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(loadRange(call, call.word()).*part));
}

bool sameRanges(NativeCall& call) {
    const RangeOperand b = call.uncheckedRange();
    const RangeOperand a = call.uncheckedRange();
    return a.first == b.first && a.length == b.length;
}

void equal(NativeCall& call, TInt32) {
    call.answer(sameRanges(call) ? 1 : 0);
}

void notEqual(NativeCall& call, TInt32) {
    call.answer(sameRanges(call) ? 0 : 1);
}

constexpr NativeFunction kFunctions[] = {
    {1, "reset", reset},
    {2, "copy", copy},
    {3, "fromFirstAndLast", storeMade<fromFirstAndLast>},
    {4, "fromFirstAndCount", storeMade<fromFirstAndCount>},
    {5, "first", answerPart<&Range::first>},
    {6, "count", answerPart<&Range::count>},
    {7, "setFirst", setPart<&Range::first>},
    {8, "setCount", setPart<&Range::count>},
    {9, "equal", equal},
    {10, "notEqual", notEqual},
    {11, "fromFirstToEnd", storeMade<fromFirstToEnd>},
    {12, "secondFromFirstToEnd", storeMade<fromFirstToEnd>},
};

} // namespace

constinit const NativeTable kRangeNatives{kFunctions};
