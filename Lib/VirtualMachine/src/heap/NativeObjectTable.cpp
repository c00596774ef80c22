#include "NativeObjectTable.h"

NativeObjectTable::NativeObjectTable() : slots(1) {}

TUint32 NativeObjectTable::add(std::unique_ptr<GCObject> object, TVMAddress owner) {
    TUint32 handle = firstFree;
    if (handle == 0) {
        handle = slotCount;
        slots.emplace_back();
        slotCount = handle + 1;
    } else {
        firstFree = slots[handle].nextFree;
    }
    Slot& slot = slots[handle];
    slot.object = std::move(object);
    slot.owner = owner;
    slot.nextFree = 0;
    return handle;
}

std::unique_ptr<GCObject> NativeObjectTable::take(TUint32 handle, TVMAddress owner) {
    if (!find(handle, owner)) handle = handleOwnedBy(owner);
    if (handle == 0) return nullptr;
    std::unique_ptr<GCObject> object = std::move(slots[handle].object);
    slots[handle] = Slot{nullptr, 0, firstFree};
    firstFree = handle;
    return object;
}

void NativeObjectTable::destroyAll() {
    std::vector<Slot> doomed(1);
    doomed.swap(slots);
    slotCount = 1;
    firstFree = 0;
}

TUint32 NativeObjectTable::handleOwnedBy(TVMAddress owner) const {
    for (TUint32 handle = 1; handle < slots.size(); ++handle) {
        if (slots[handle].owner == owner) return handle;
    }
    return 0;
}
