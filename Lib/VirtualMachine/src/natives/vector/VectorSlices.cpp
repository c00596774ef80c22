// Array natives 82 and 84: new arrays made from parts of arrays, handed back in a new cell.
#include "CheckRange.h"
#include "VectorFamilies.h"

namespace ArrayNatives {

template <class Element, bool Primitive> void sliceCheckedRange(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const RangeOperand range = call.uncheckedRange();
    const OVector array = call.array();
    TInt32 count = range.length;
    checkRange(0, array.size(), range.first, count);
    const auto part = count > 0 ? std::optional(ElementPart{range.first, count}) : std::nullopt;
    call.answer(call.newArrayInCell(bytesOf(array, part)));
}

// The part of the second array that the first range names, then the part of the first
// array that the second range names; lengths are plain counts.
template <class Element, bool Primitive> void joinParts(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const RangeOperand secondRange = call.range();
    const OVector second = call.array();
    const RangeOperand firstRange = call.range();
    const OVector first = call.array();
    std::vector<TUint8> elements = bytesOf(second, partOf(firstRange, second.size(), false));
    const std::vector<TUint8> rest = bytesOf(first, partOf(secondRange, first.size(), false));
    elements.insert(elements.end(), rest.begin(), rest.end());
    call.answer(call.newArrayInCell(elements));
}

KESTRO_INSTANTIATE_ARRAY_HANDLER(sliceCheckedRange)
KESTRO_INSTANTIATE_ARRAY_HANDLER(joinParts)

} // namespace ArrayNatives
