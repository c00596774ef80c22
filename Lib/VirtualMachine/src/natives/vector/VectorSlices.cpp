// Array natives 82 and 84: new arrays made from parts of arrays, handed back in a new cell.
#include "CheckRange.h"
#include "VectorFamilies.h"

template <class Element> bool sliceArrays(ArrayCall<Element>& call, TInt32 function) {
    switch (function) {
    case 82: {
        const RangeOperand range = call.uncheckedRange();
        const OVector array = call.array();
        TInt32 count = range.length;
        checkRange(0, array.size(), range.first, count);
        const auto part = count > 0 ? std::optional(ElementPart{range.first, count}) : std::nullopt;
        call.answer(call.newArrayInCell(bytesOf(array, part)));
        return true;
    }
    case 84: {
        // The part of the second array that the first range names, then the part of the
        // first array that the second range names; lengths are plain counts.
        const RangeOperand secondRange = call.range();
        const OVector second = call.array();
        const RangeOperand firstRange = call.range();
        const OVector first = call.array();
        std::vector<TUint8> elements = bytesOf(second, partOf(firstRange, second.size(), false));
        const std::vector<TUint8> rest = bytesOf(first, partOf(secondRange, first.size(), false));
        elements.insert(elements.end(), rest.begin(), rest.end());
        call.answer(call.newArrayInCell(elements));
        return true;
    }
    default: return false;
    }
}

KESTRO_INSTANTIATE_ARRAY_FAMILY(sliceArrays)
