// Array natives 21 to 25: removal of elements.
#include "VectorFamilies.h"

namespace ArrayNatives {

template <class Element, bool Primitive> void removeAt(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 index = call.integer();
    OVector array = call.array();
    if (index < 0 || index >= array.size()) throwError(EIndexOutOfBounds);
    array.splice(index, 1, {});
    call.pop();
}

template <class Element, bool Primitive> void removeRange(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const RangeOperand range = call.range();
    OVector array = call.array();
    const auto part = partOf(range, array.size(), true);
    if (!part) throwError(ERange);
    array.splice(part->from, part->count, {});
    call.pop();
}

// The first or the last k elements; k = 0 removes nothing, k = size all.
template <class Element, bool Primitive> void removeAtEnd(NativeCall& native, TInt32 end) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 k = call.integer();
    OVector array = call.array();
    if (k < 0 || k > array.size()) throwError(EInvalidArgument);
    array.splice(end == kFront ? 0 : array.size() - k, k, {});
    call.pop();
}

template <class Element, bool Primitive> void removeAll(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    OVector array = call.array();
    array.splice(0, array.size(), {});
    call.pop();
}

KESTRO_INSTANTIATE_ARRAY_HANDLER(removeAt)
KESTRO_INSTANTIATE_ARRAY_HANDLER(removeRange)
KESTRO_INSTANTIATE_ARRAY_HANDLER(removeAtEnd)
KESTRO_INSTANTIATE_ARRAY_HANDLER(removeAll)

} // namespace ArrayNatives
