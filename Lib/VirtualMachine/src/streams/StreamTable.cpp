#include "StreamTable.h"

#include "GcCodes.h"
#include "VMHeap.h"

StreamTable::StreamTable(VMHeap& aHeap) : heap(aHeap), memory(aHeap.memory()) {}

TVMAddress StreamTable::add(std::unique_ptr<StreamHolder> holder) {
    const TVMAddress record = heap.allocateWords(StreamHolder::kRecordWords, GC_CODE_STREAM_HOLDER);
    const auto typeId = static_cast<TUint32>(holder->typeId());
    const TUint32 handle = holders.add(std::move(holder), record);
    memory.store32(record + StreamHolder::ETypeId, typeId);
    memory.store32(record + StreamHolder::EStreamHandle, handle);
    return record;
}

StreamHolder* StreamTable::find(TVMAddress record) const {
    if (!memory.contains(record, StreamHolder::kRecordBytes)) return nullptr;
    // Only stream holders are filed here.
    auto* holder = static_cast<StreamHolder*>(
        holders.find(memory.load32(record + StreamHolder::EStreamHandle), record));
    if (!holder ||
        memory.load32(record + StreamHolder::ETypeId) != static_cast<TUint32>(holder->typeId()))
        return nullptr;
    return holder;
}

// The holder goes even when the bytecode has overwritten the record's words, so that no
// file stays open behind a record that is gone.
void StreamTable::destructStreamHolder(TVMAddress payload) {
    const TUint32 handle = memory.contains(payload, StreamHolder::kRecordBytes)
                               ? memory.load32(payload + StreamHolder::EStreamHandle)
                               : 0;
    const std::unique_ptr<GCObject> holder = holders.take(handle, payload);
    if (holder) static_cast<StreamHolder&>(*holder).destruct();
}
