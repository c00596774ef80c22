#include "NewArray.h"

#include "OVector.h"

NewArray::NewArray(VMHeap& heap, TInt32 elementSize, std::span<const TUint8> elements)
    : record(OVector::create(heap, elementSize)), keepArray(heap, record),
      keepStorage(heap, fill(heap, record, elements)) {}

TVMAddress NewArray::fill(VMHeap& heap, TVMAddress record, std::span<const TUint8> elements) {
    OVector array(heap, record);
    array.splice(0, 0, elements);
    return array.storageAddress();
}
