// The look-ups of the array natives, made again by the interpreter's own entries for them:
// each succeeds only where the native finds what it needs without an error, so that the
// native itself runs, and raises the error, whenever one fails.
#pragma once

#include "AddressSpace.h"
#include "OVector.h"

#include <cstring>

namespace arrayAccess {

struct Array {
    TVMAddress storage;
    TUint32 size;
};

// The array that the array variable at `variable` holds, when the variable lies in the
// machine's memory, its array is not null, the array record is sound and its elements are
// `width` bytes wide.
inline bool find(const AddressSpace& space, TVMAddress variable, TUint32 width, Array& array) {
    if (!space.contains(variable, 4)) return false;
    const TVMAddress record = space.load32(variable);
    if (!space.contains(record, OVector::kRecordBytes)) return false;
    TUint32 words[OVector::kRecordBytes / 4];
    std::memcpy(words, space.hostPointer(record, OVector::kRecordBytes), sizeof words);
    const auto room = static_cast<TInt32>(words[OVector::ECapacity / 4]);
    const auto size = static_cast<TInt32>(words[OVector::ESize / 4]);
    const TVMAddress storage = words[OVector::EStorage / 4];
    const TUint64 storageBytes = static_cast<TUint64>(room) * width;
    if (words[OVector::ETypeTag / 4] != width || size < 0 || size > room) return false;
    if (room > 0 &&
        (storageBytes > UINT32_MAX || !space.contains(storage, static_cast<TUint32>(storageBytes))))
        return false;
    array = {storage, static_cast<TUint32>(size)};
    return true;
}

// The address of element `index` of that array, or 0 (never an element's address).
inline TVMAddress element(const AddressSpace& space, TVMAddress variable, TUint32 index,
                          TUint32 width) {
    Array array;
    if (!find(space, variable, width, array) || index >= array.size) return 0;
    return array.storage + index * width;
}

} // namespace arrayAccess
