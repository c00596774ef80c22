#include "ArrayCall.h"

#include "MemoryBudget.h"

#include <algorithm>
#include <cstring>

std::optional<ElementPart> partOf(RangeOperand range, TInt32 size, bool negativeToEnd) {
    const TInt64 from = range.first;
    const TInt64 to =
        range.length < 0 && negativeToEnd ? TInt64{size} - 1 : from + range.length - 1;
    if (from < 0 || from > to || to >= size) return std::nullopt;
    return ElementPart{range.first, static_cast<TInt32>(to - from + 1)};
}

std::vector<TUint8> bytesOf(const OVector& array, std::optional<ElementPart> part) {
    if (!part) return {};
    return array.elementBytes(part->from, part->count);
}

std::vector<TUint8> allBytesOf(const OVector& array) {
    return array.elementBytes(0, array.size());
}

void requireRepeatable(std::span<const TUint8> elements, TInt32 times, TInt32 elementSize) {
    const auto count = static_cast<TInt64>(elements.size()) / elementSize;
    OVector::requireStorable(count * times, elementSize);
    MemoryBudget::require(elements.size() * static_cast<TUint64>(std::max(times, 0)));
}

std::vector<TUint8> repeated(std::span<const TUint8> elements, TInt32 times, TInt32 elementSize) {
    requireRepeatable(elements, times, elementSize);
    std::vector<TUint8> copies(elements.size() * static_cast<std::size_t>(std::max(times, 0)));
    OVector::copyRepeatedly(elements, copies);
    return copies;
}

void insertElements(OVector& array, TInt32 position, std::span<const TUint8> elements) {
    if (position < 0 || position > array.size()) throwError(EIndexOutOfBounds);
    array.splice(position, 0, elements);
}
