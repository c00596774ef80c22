// Array natives 13 to 19: insertion of single elements and of (parts of) other arrays.
#include "VectorFamilies.h"

template <class Element> bool insertIntoArray(ArrayCall<Element>& call, TInt32 function) {
    switch (function) {
    case 13: {
        const TInt32 position = call.integer();
        const OVector source = call.array();
        OVector array = call.array();
        insertElements(array, position, allBytesOf(source));
        break;
    }
    case 14: {
        const TInt32 position = call.integer();
        const RangeOperand range = call.range();
        const OVector source = call.array();
        OVector array = call.array();
        insertElements(array, position, bytesOf(source, partOf(range, source.size(), true)));
        break;
    }
    case 15: {
        const TInt32 position = call.integer();
        const auto element = call.element();
        OVector array = call.array();
        insertElements(array, position, element);
        break;
    }
    case 16:
    case 18: {
        const OVector source = call.array();
        OVector array = call.array();
        insertElements(array, function == 16 ? 0 : array.size(), allBytesOf(source));
        break;
    }
    case 17:
    case 19: {
        const auto element = call.element();
        OVector array = call.array();
        insertElements(array, function == 17 ? 0 : array.size(), element);
        break;
    }
    default: return false;
    }
    call.pop();
    return true;
}

KESTRO_INSTANTIATE_ARRAY_FAMILY(insertIntoArray)
