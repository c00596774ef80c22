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

namespace ArrayNatives {

template <class Element, bool Primitive> void copy(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const OVector source = call.array();
    const TVMAddress destination = call.word();
    call.storeNewArray(destination, allBytesOf(source));
    call.pop();
}

template <class Element, bool Primitive> void copyRepeatedElement(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 times = call.integer();
    const auto element = call.element();
    const TVMAddress destination = call.word();
    if (times < 0) throwError(EInvalidArgument);
    requireRepeatable(element, times, call.kWidth);
    call.storeNewArray(destination, element, times);
    call.pop();
}

template <class Element, bool Primitive> void copyEveryNth(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 step = call.integer();
    const OVector source = call.array();
    const TVMAddress destination = call.word();
    if (step < 1) throwError(EInvalidArgument);
    call.storeNewArray(destination, everyNth(source, step));
    call.pop();
}

template <class Element, bool Primitive> void copyRange(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const RangeOperand range = call.range();
    const OVector source = call.array();
    const TVMAddress destination = call.word();
    call.storeNewArray(destination, bytesOf(source, partOf(range, source.size(), true)));
    call.pop();
}

template <class Element, bool Primitive> void copyElement(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const auto element = call.element();
    call.storeNewArray(call.word(), element);
    call.pop();
}

KESTRO_INSTANTIATE_ARRAY_HANDLER(copy)
KESTRO_INSTANTIATE_ARRAY_HANDLER(copyRepeatedElement)
KESTRO_INSTANTIATE_ARRAY_HANDLER(copyEveryNth)
KESTRO_INSTANTIATE_ARRAY_HANDLER(copyRange)
KESTRO_INSTANTIATE_ARRAY_HANDLER(copyElement)

} // namespace ArrayNatives
