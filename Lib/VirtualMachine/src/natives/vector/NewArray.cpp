#include "NewArray.h"

#include "OVector.h"

NewArray::NewArray(VMHeap& heap, TInt32 elementSize, std::span<const TUint8> elements)
    : record(OVector::create(heap, elementSize)), keepArray(heap, record),
      keepStorage(heap, fill(heap, record, elements)) {}

NewArray::NewArray(VMHeap& heap, std::span<const TUint8> element, TInt32 times)
    : record(OVector::create(heap, static_cast<TInt32>(element.size()))), keepArray(heap, record),
      keepStorage(heap, fillRepeated(heap, record, element, times)) {}

TVMAddress NewArray::fillRepeated(VMHeap& heap, TVMAddress record, std::span<const TUint8> element,
                                  TInt32 times) {
    OVector array(heap, record);
    array.fillRepeated(element, times);
    return array.storageAddress();
}

TVMAddress NewArray::fill(VMHeap& heap, TVMAddress record, std::span<const TUint8> elements) {
    OVector array(heap, record);
    array.splice(0, 0, elements);
    return array.storageAddress();
}
