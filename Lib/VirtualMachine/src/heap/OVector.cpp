#include "OVector.h"

#include "ErrorHandling.h"
#include "GcCodes.h"
#include "OString.h"
#include "ScopedRoot.h"
#include "VMHeap.h"

#include <cstdint>
#include <cstring>

TInt32 OVector::capacityFor(TInt32 elements) {
    return OString::capacityFor(elements);
}

TVMAddress OVector::create(VMHeap& heap, TInt32 elementSize) {
    const TVMAddress vector = heap.allocateBytes(kRecordBytes, GC_CODE_VECTOR);
    heap.memory().store32(vector + ETypeTag, static_cast<TUint32>(elementSize));
    return vector;
}

OVector::OVector(VMHeap& aHeap, TVMAddress aRecord)
    : heap(aHeap), space(aHeap.memory()), record(aRecord),
      width(static_cast<TInt32>(space.load32(record + ETypeTag))),
      storage(space.load32(record + EStorage)),
      room(static_cast<TInt32>(space.load32(record + ECapacity))),
      count(static_cast<TInt32>(space.load32(record + ESize))) {
    // In 64 bits: a forged capacity times the width must not wrap into a small size.
    const TUint64 storageBytes = static_cast<TUint64>(room) * static_cast<TUint64>(width);
    if (!isElementSize(width) || count < 0 || count > room ||
        (room > 0 && (storageBytes > UINT32_MAX ||
                      !space.contains(storage, static_cast<TUint32>(storageBytes)))))
        raiseFatalMachineError("damaged array record");
}

TVMAddress OVector::elementAddress(TInt32 index) const {
    if (index < 0 || index >= count) throwError(EIndexOutOfBounds);
    return storage + static_cast<TUint32>(index) * static_cast<TUint32>(width);
}

TVMAddress OVector::insert(TInt32 index) {
    if (index < 0 || index > count) throwError(EIndexOutOfBounds);
    if (count == room) grow();
    const TUint32 at = static_cast<TUint32>(index) * static_cast<TUint32>(width);
    const TUint32 used = static_cast<TUint32>(count) * static_cast<TUint32>(width);
    auto* bytes =
        static_cast<TUint8*>(space.hostPointer(storage, used + static_cast<TUint32>(width)));
    std::memmove(bytes + at + width, bytes + at, used - at);
    std::memset(bytes + at, 0, static_cast<std::size_t>(width));
    space.store32(record + ESize, static_cast<TUint32>(++count));
    return storage + at;
}

void OVector::grow() {
    const TInt32 newRoom = capacityFor(count + 1);
    const auto newBytes = static_cast<TUint64>(newRoom) * static_cast<TUint64>(width);
    if (newBytes > 0x7FFFFFFFu) throwError(EInvalidArgument);
    const TVMAddress newStorage = heap.allocateBytes(static_cast<TUint32>(newBytes), GC_CODE_DATA);
    const TUint32 used = static_cast<TUint32>(count) * static_cast<TUint32>(width);
    if (used > 0)
        std::memcpy(space.hostPointer(newStorage, used), space.hostPointer(storage, used), used);
    storage = newStorage;
    room = newRoom;
    space.store32(record + EStorage, storage);
    space.store32(record + ECapacity, static_cast<TUint32>(room));
}

TVMAddress OVector::createByteArray(VMHeap& heap, std::span<const TUint8> bytes) {
    AddressSpace& space = heap.memory();
    const auto count = static_cast<TInt32>(bytes.size());
    const auto [vector, variable] = heap.createPair(OVector::kRecordBytes, 0, GC_CODE_VECTOR, 8, 0,
                                                    GC_CODE_PRIMITIVE_ARRAY_REF);
    // An empty array until its storage exists, kept alive while the storage is made.
    space.store32(vector + OVector::ETypeTag, 1);
    space.store32(variable, vector);
    space.store32(variable + 4, 1);
    const ScopedRoot keep(heap, variable);
    const TInt32 capacity = OVector::capacityFor(count);
    const TVMAddress storage = heap.allocateBytes(static_cast<TUint32>(capacity), GC_CODE_DATA);
    if (count > 0)
        std::memcpy(space.hostPointer(storage, static_cast<TUint32>(count)), bytes.data(),
                    bytes.size());
    space.store32(vector + OVector::EStorage, storage);
    space.store32(vector + OVector::ECapacity, static_cast<TUint32>(capacity));
    space.store32(vector + OVector::ESize, static_cast<TUint32>(count));
    return variable;
}
