#include "OVector.h"

#include "GcCodes.h"
#include "OString.h"
#include "VMHeap.h"
#include "VirtualMachine.h"

#include <cstring>

TInt32 OVector::capacityFor(TInt32 elements) {
    return OString::capacityFor(elements);
}

TVMAddress OVector::create(VMHeap& heap, TInt32 elementSize) {
    const TVMAddress vector = heap.allocateBytes(kRecordBytes, GC_CODE_VECTOR);
    heap.memory().store32(vector + ETypeTag, static_cast<TUint32>(elementSize));
    return vector;
}

TVMAddress VirtualMachine::createByteArray(const std::vector<TUint8>& bytes) {
    const auto count = static_cast<TInt32>(bytes.size());
    const auto [vector, variable] = heap.createPair(OVector::kRecordBytes, 0, GC_CODE_VECTOR, 8, 0,
                                                    GC_CODE_PRIMITIVE_ARRAY_REF);
    const TInt32 capacity = OVector::capacityFor(count);
    const TVMAddress storage = heap.allocateBytes(static_cast<TUint32>(capacity), GC_CODE_DATA);
    if (count > 0)
        std::memcpy(space.hostPointer(storage, bytes.size()), bytes.data(), bytes.size());
    space.store32(vector + OVector::ETypeTag, 1);
    space.store32(vector + OVector::EStorage, storage);
    space.store32(vector + OVector::ECapacity, static_cast<TUint32>(capacity));
    space.store32(vector + OVector::ESize, static_cast<TUint32>(count));
    space.store32(variable, vector);
    space.store32(variable + 4, 1);
    return variable;
}
