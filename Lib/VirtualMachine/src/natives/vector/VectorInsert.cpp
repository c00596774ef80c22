// Array natives 13 to 19: insertion of single elements and of (parts of) other arrays.
#include "VectorFamilies.h"

namespace {

// Inserts the elements into the array operand at `position` and pops the operands.
template <class Element>
void insertAt(ArrayCall<Element>& call, TInt32 position, std::span<const TUint8> elements) {
    OVector array = call.array();
    insertElements(array, position, elements);
    call.pop();
}

// Inserts the elements at the front or the back of the array operand and pops the operands.
template <class Element>
void insertAtEndOf(ArrayCall<Element>& call, TInt32 end, std::span<const TUint8> elements) {
    OVector array = call.array();
    insertElements(array, end == ArrayNatives::kFront ? 0 : array.size(), elements);
    call.pop();
}

} // namespace

namespace ArrayNatives {

template <class Element, bool Primitive> void insert(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 position = call.integer();
    const OVector source = call.array();
    insertAt(call, position, allBytesOf(source));
}

template <class Element, bool Primitive> void insertRange(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 position = call.integer();
    const RangeOperand range = call.range();
    const OVector source = call.array();
    insertAt(call, position, bytesOf(source, partOf(range, source.size(), true)));
}

template <class Element, bool Primitive> void insertElement(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 position = call.integer();
    insertAt(call, position, call.element());
}

template <class Element, bool Primitive> void insertAtEnd(NativeCall& native, TInt32 end) {
    ArrayCall<Element> call(native, Primitive);
    const OVector source = call.array();
    insertAtEndOf(call, end, allBytesOf(source));
}

template <class Element, bool Primitive> void insertElementAtEnd(NativeCall& native, TInt32 end) {
    ArrayCall<Element> call(native, Primitive);
    insertAtEndOf(call, end, call.element());
}

KESTRO_INSTANTIATE_ARRAY_HANDLER(insert)
KESTRO_INSTANTIATE_ARRAY_HANDLER(insertRange)
KESTRO_INSTANTIATE_ARRAY_HANDLER(insertElement)
KESTRO_INSTANTIATE_ARRAY_HANDLER(insertAtEnd)
KESTRO_INSTANTIATE_ARRAY_HANDLER(insertElementAtEnd)

} // namespace ArrayNatives
