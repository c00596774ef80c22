// Array natives 20, 26, 27, 81 and 83: repetition and replacement of ranges.
#include "CheckRange.h"
#include "VectorFamilies.h"

namespace {

// Replaces the part by the elements. Without elements this removes the part, and a range
// that names no part raises RangeException; otherwise such a range changes nothing.
void replaceOrRemovePart(OVector& array, std::optional<ElementPart> part,
                         std::span<const TUint8> elements) {
    if (elements.empty() && !part) throwError(ERange);
    if (part) array.splice(part->from, part->count, elements);
}

// Replaces the part of the array operand that the range operand names (a negative length
// runs to the end) as replaceOrRemovePart does, and pops the operands.
template <class Element>
void replaceRangeBy(ArrayCall<Element>& call, std::span<const TUint8> elements) {
    const RangeOperand range = call.range();
    OVector array = call.array();
    replaceOrRemovePart(array, partOf(range, array.size(), true), elements);
    call.pop();
}

// 81: the range is checked with its messages; an empty range is an insertion point.
void spliceCheckedRange(OVector& array, RangeOperand range, std::span<const TUint8> elements) {
    TInt32 count = range.length;
    checkRange(0, array.size(), range.first, count);
    if (count == 0)
        insertElements(array, range.first, elements);
    else
        array.splice(range.first, count, elements);
}

// 83: lengths are plain counts. A part of length 0 is an insertion point; a part of the
// source or of the array that does not lie inside changes nothing.
void replaceWithPart(OVector& array, RangeOperand range, const OVector& source,
                     RangeOperand sourceRange) {
    const auto sourcePart = partOf(sourceRange, source.size(), false);
    if (range.length == 0) {
        insertElements(array, range.first, bytesOf(source, sourcePart));
        return;
    }
    const auto part = partOf(range, array.size(), false);
    if (part && sourcePart) array.splice(part->from, part->count, bytesOf(source, sourcePart));
}

} // namespace

namespace ArrayNatives {

template <class Element, bool Primitive> void repeat(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const TInt32 times = call.integer();
    OVector array = call.array();
    if (times < 0) throwError(EInvalidArgument);
    array.splice(0, array.size(), repeated(allBytesOf(array), times, call.kWidth));
    call.pop();
}

template <class Element, bool Primitive> void replaceRange(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const OVector source = call.array();
    replaceRangeBy(call, allBytesOf(source));
}

template <class Element, bool Primitive> void replaceRangeElement(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    replaceRangeBy(call, call.element());
}

template <class Element, bool Primitive> void replaceCheckedRange(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const OVector source = call.array();
    const RangeOperand range = call.uncheckedRange();
    OVector array = call.array();
    spliceCheckedRange(array, range, allBytesOf(source));
    call.pop();
}

template <class Element, bool Primitive> void replacePart(NativeCall& native, TInt32) {
    ArrayCall<Element> call(native, Primitive);
    const RangeOperand sourceRange = call.range();
    const OVector source = call.array();
    const RangeOperand range = call.range();
    OVector array = call.array();
    replaceWithPart(array, range, source, sourceRange);
    call.pop();
}

KESTRO_INSTANTIATE_ARRAY_HANDLER(repeat)
KESTRO_INSTANTIATE_ARRAY_HANDLER(replaceRange)
KESTRO_INSTANTIATE_ARRAY_HANDLER(replaceRangeElement)
KESTRO_INSTANTIATE_ARRAY_HANDLER(replaceCheckedRange)
KESTRO_INSTANTIATE_ARRAY_HANDLER(replacePart)

} // namespace ArrayNatives
