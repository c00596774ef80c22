// Array natives 6 to 12: elements, their addresses and the size.
#include "VectorFamilies.h"

namespace {

// The address of the element that the operands, an array and an index, name.
template <class Element> TVMAddress elementAddressOperand(ArrayCall<Element>& call) {
    const TInt32 index = call.integer();
    const OVector array = call.array();
    return array.elementAddress(index);
}

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

namespace ArrayNatives {

// A primitive element by its address, an object array's element itself.
template <class Element, bool Primitive> void elementReference(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TVMAddress address = elementAddressOperand(call);
    call.answer(Primitive ? address : call.memory().load32(address));
}

// The address of an object array's element; primitive arrays have no such function.
template <class Element, bool Primitive> void elementAddress(NativeCall& native, TInt32) {
    if constexpr (Primitive) {
        native.unknownFunction();
    } else {
        ArrayCall<Element> call(native, Primitive);
        call.answer(elementAddressOperand(call));
    }
}

template <class Element, bool Primitive> void elementValue(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 index = call.integer();
    answerElement(call, call.array(), index, 1);
}

template <class Element, bool Primitive> void endElement(NativeCall& native, TInt32 end) {
    ArrayCall<Element> call(native, Primitive);
    const OVector array = call.array();
    answerElement(call, array, end == kFront ? 0 : array.size() - 1, 0);
}

template <class Element, bool Primitive> void size(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    call.answer(static_cast<TUint32>(call.array().size()));
}

template <class Element, bool Primitive> void isEmpty(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    call.answer(call.array().size() == 0 ? 1 : 0);
}

KESTRO_INSTANTIATE_ARRAY_HANDLER(elementReference)
KESTRO_INSTANTIATE_ARRAY_HANDLER(elementAddress)
KESTRO_INSTANTIATE_ARRAY_HANDLER(elementValue)
KESTRO_INSTANTIATE_ARRAY_HANDLER(endElement)
KESTRO_INSTANTIATE_ARRAY_HANDLER(size)
KESTRO_INSTANTIATE_ARRAY_HANDLER(isEmpty)

} // namespace ArrayNatives
