// Array natives 20, 26, 27, 81 and 83: repetition and replacement of ranges.
#include "CheckRange.h"
#include "VectorFamilies.h"

namespace {

// Replaces the part by the elements. Without elements this removes the part, and a range
// that names no part raises RangeException; otherwise such a range changes nothing.
void replacePart(OVector& array, std::optional<ElementPart> part,
                 std::span<const TUint8> elements) {
    if (elements.empty() && !part) throwError(ERange);
    if (part) array.splice(part->from, part->count, elements);
}

// 81: the range is checked with its messages; an empty range is an insertion point.
void replaceCheckedRange(OVector& array, RangeOperand range, std::span<const TUint8> elements) {
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

template <class Element> bool replaceInArray(ArrayCall<Element>& call, TInt32 function) {
    switch (function) {
    case 20: {
        const TInt32 times = call.integer();
        OVector array = call.array();
        if (times < 0) throwError(EInvalidArgument);
        array.splice(0, array.size(), repeated(allBytesOf(array), times, call.kWidth));
        break;
    }
    case 26: {
        const OVector source = call.array();
        const RangeOperand range = call.range();
        OVector array = call.array();
        replacePart(array, partOf(range, array.size(), true), allBytesOf(source));
        break;
    }
    case 27: {
        const auto element = call.element();
        const RangeOperand range = call.range();
        OVector array = call.array();
        replacePart(array, partOf(range, array.size(), true), element);
        break;
    }
    case 81: {
        const OVector source = call.array();
        const RangeOperand range = call.uncheckedRange();
        OVector array = call.array();
        replaceCheckedRange(array, range, allBytesOf(source));
        break;
    }
    case 83: {
        const RangeOperand sourceRange = call.range();
        const OVector source = call.array();
        const RangeOperand range = call.range();
        OVector array = call.array();
        replaceWithPart(array, range, source, sourceRange);
        break;
    }
    default: return false;
    }
    call.pop();
    return true;
}

KESTRO_INSTANTIATE_ARRAY_FAMILY(replaceInArray)
