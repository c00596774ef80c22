// Array natives 21 to 25: removal of elements.
#include "VectorFamilies.h"

template <class Element> bool removeFromArray(ArrayCall<Element>& call, TInt32 function) {
    switch (function) {
    case 21: {
        const TInt32 index = call.integer();
        OVector array = call.array();
        if (index < 0 || index >= array.size()) throwError(EIndexOutOfBounds);
        array.splice(index, 1, {});
        break;
    }
    case 22: {
        const RangeOperand range = call.range();
        OVector array = call.array();
        const auto part = partOf(range, array.size(), true);
        if (!part) throwError(ERange);
        array.splice(part->from, part->count, {});
        break;
    }
    case 23:
    case 24: {
        // The first or the last k elements; k = 0 removes nothing, k = size all.
        const TInt32 k = call.integer();
        OVector array = call.array();
        if (k < 0 || k > array.size()) throwError(EInvalidArgument);
        array.splice(function == 23 ? 0 : array.size() - k, k, {});
        break;
    }
    case 25: {
        OVector array = call.array();
        array.splice(0, array.size(), {});
        break;
    }
    default: return false;
    }
    call.pop();
    return true;
}

KESTRO_INSTANTIATE_ARRAY_FAMILY(removeFromArray)
