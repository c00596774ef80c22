// NativeObjectTable: the native objects that heap blocks stand for. The objects live in host
// memory; their block holds a handle into this table (handles start at 1, so 0 is never
// valid). Each slot remembers the payload address of the block that owns it, so a handle
// read back from machine memory is honoured only for that block.
#pragma once

#include "AddressSpace.h"
#include "GCObject.h"
#include "Types.h"

#include <memory>
#include <vector>

class NativeObjectTable {
public:
    NativeObjectTable();
    NativeObjectTable(const NativeObjectTable&) = delete;
    NativeObjectTable& operator=(const NativeObjectTable&) = delete;

    // Files the object for the block whose payload is at `owner`; returns its handle.
    TUint32 add(std::unique_ptr<GCObject> object, TVMAddress owner);
    // The object under the handle if `owner` owns it, else null. Slot 0 and free slots hold
    // no object, so they need no test of their own.
    GCObject* find(TUint32 handle, TVMAddress owner) const {
        if (handle >= slotCount) return nullptr;
        const Chunk& chunk = *chunks[handle / kChunkSlots];
        const TUint32 index = handle % kChunkSlots;
        return chunk.owners[index] == owner ? chunk.objects[index].get() : nullptr;
    }
    // Hands over the object that `owner` owns, or null when it owns none. `handle` is where
    // the owner's block says it is; when the bytecode has overwritten that, the table is
    // searched, so an object is never lost nor another block's object taken.
    std::unique_ptr<GCObject> take(TUint32 handle, TVMAddress owner);
    // Empties the table, then destroys the objects it held (each once), so a destructor
    // that calls back finds a consistent table.
    void destroyAll();

private:
    // Slots live in chunks that never move, so the table grows without copying what it
    // holds; objects and owners lie in separate arrays, which keeps a slot at 12 bytes. A
    // free slot holds no object, and its owner word then links to the next free slot.
    static constexpr TUint32 kChunkSlots = 4096;
    struct Chunk {
        std::unique_ptr<GCObject> objects[kChunkSlots];
        TVMAddress owners[kChunkSlots] = {};
    };

    TUint32 handleOwnedBy(TVMAddress owner) const;

    std::vector<std::unique_ptr<Chunk>> chunks;
    TUint32 slotCount = 1; // slot 0 is never used
    TUint32 firstFree = 0; // 0 ends the chain of free slots
};
