#include "NativeObjectTable.h"

NativeObjectTable::NativeObjectTable() {
    chunks.push_back(std::make_unique<Chunk>());
}

TUint32 NativeObjectTable::add(std::unique_ptr<GCObject> object, TVMAddress owner) {
    TUint32 handle = firstFree;
    if (handle != 0) {
        firstFree = chunks[handle / kChunkSlots]->owners[handle % kChunkSlots];
    } else {
        handle = slotCount++;
        if (handle % kChunkSlots == 0) chunks.push_back(std::make_unique<Chunk>());
    }
    Chunk& chunk = *chunks[handle / kChunkSlots];
    chunk.objects[handle % kChunkSlots] = std::move(object);
    chunk.owners[handle % kChunkSlots] = owner;
    return handle;
}

std::unique_ptr<GCObject> NativeObjectTable::take(TUint32 handle, TVMAddress owner) {
    if (!find(handle, owner)) handle = handleOwnedBy(owner);
    if (handle == 0) return nullptr;
    Chunk& chunk = *chunks[handle / kChunkSlots];
    chunk.owners[handle % kChunkSlots] = firstFree;
    firstFree = handle;
    return std::move(chunk.objects[handle % kChunkSlots]);
}

void NativeObjectTable::destroyAll() {
    std::vector<std::unique_ptr<Chunk>> doomed;
    doomed.swap(chunks);
    chunks.push_back(std::make_unique<Chunk>());
    slotCount = 1;
    firstFree = 0;
}

TUint32 NativeObjectTable::handleOwnedBy(TVMAddress owner) const {
    for (TUint32 handle = 1; handle < slotCount; ++handle) {
        if (find(handle, owner)) return handle;
    }
    return 0;
}
