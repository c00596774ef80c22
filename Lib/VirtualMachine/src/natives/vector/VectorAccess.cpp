// Array natives 6 to 12: elements, their addresses and the size.
#include "VectorFamilies.h"

namespace {

// Element `index` as the result: an object array's reference replaces the operands; a
// primitive element's words are left from the operand slot above the `kept` lowest on.
template <class Element>
void answerElement(ArrayCall<Element>& call, const OVector& array, TInt32 index, TInt32 kept) {
    const auto words = call.elementWords(array, index);
    if (call.primitive)
        call.answerWords(words, kept);
    else
        call.answer(words[0]);
}

} // namespace

template <class Element> bool accessArray(ArrayCall<Element>& call, TInt32 function) {
    switch (function) {
    case 6:
    case 7: {
        // 6 hands out a primitive element by address and an object array's element
        // itself; 7 hands out the address of an object array's element.
        if (function == 7 && call.primitive) return false;
        const TInt32 index = call.integer();
        const OVector array = call.array();
        const TVMAddress address = array.elementAddress(index);
        call.answer(function == 6 && !call.primitive ? call.memory().load32(address) : address);
        return true;
    }
    case 8: {
        const TInt32 index = call.integer();
        answerElement(call, call.array(), index, 1);
        return true;
    }
    case 9:
    case 10: {
        const OVector array = call.array();
        answerElement(call, array, function == 9 ? 0 : array.size() - 1, 0);
        return true;
    }
    case 11: call.answer(static_cast<TUint32>(call.array().size())); return true;
    case 12: call.answer(call.array().size() == 0 ? 1 : 0); return true;
    default: return false;
    }
}

KESTRO_INSTANTIATE_ARRAY_FAMILY(accessArray)
