// Array natives 2, 3, 5, 28 and 29: a new array stored into a destination array variable.
#include "VectorFamilies.h"

namespace {

// The elements at 0, step, 2 × step ... as bytes.
std::vector<TUint8> everyNth(const OVector& source, TInt32 step) {
    std::vector<TUint8> sampled;
    for (TInt64 i = 0; i < source.size(); i += step) {
        const std::vector<TUint8> element = source.elementBytes(static_cast<TInt32>(i), 1);
        sampled.insert(sampled.end(), element.begin(), element.end());
    }
    return sampled;
}

} // namespace

template <class Element> bool createArray(ArrayCall<Element>& call, TInt32 function) {
    switch (function) {
    case 2: {
        const OVector source = call.array();
        const TVMAddress destination = call.word();
        call.storeNewArray(destination, allBytesOf(source));
        break;
    }
    case 3: {
        const TInt32 times = call.integer();
        const auto element = call.element();
        const TVMAddress destination = call.word();
        if (times < 0) throwError(EInvalidArgument);
        call.storeNewArray(destination, repeated(element, times, call.kWidth));
        break;
    }
    case 5: {
        const TInt32 step = call.integer();
        const OVector source = call.array();
        const TVMAddress destination = call.word();
        if (step < 1) throwError(EInvalidArgument);
        call.storeNewArray(destination, everyNth(source, step));
        break;
    }
    case 28: {
        const RangeOperand range = call.range();
        const OVector source = call.array();
        const TVMAddress destination = call.word();
        call.storeNewArray(destination, bytesOf(source, partOf(range, source.size(), true)));
        break;
    }
    case 29: {
        const auto element = call.element();
        call.storeNewArray(call.word(), element);
        break;
    }
    default: return false;
    }
    call.pop();
    return true;
}

KESTRO_INSTANTIATE_ARRAY_FAMILY(createArray)
