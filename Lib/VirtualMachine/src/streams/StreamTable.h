// StreamTable: the machine's stream holders. Each one stands for a holder record in the
// heap, which names it by its handle; the handle is honoured only for the record it was
// given to, and only while the record's TYPEID agrees with the holder's, so a record the
// bytecode has forged or overwritten reaches no stream. The table is told when the heap
// frees a holder record and then deletes the holder's stream, closing its file.
#pragma once

#include "AddressSpace.h"
#include "MStreamHolderFinaliser.h"
#include "NativeObjectTable.h"
#include "StreamHolder.h"

#include <memory>

class VMHeap;

class StreamTable : public MStreamHolderFinaliser {
public:
    explicit StreamTable(VMHeap& aHeap);
    StreamTable(const StreamTable&) = delete;
    StreamTable& operator=(const StreamTable&) = delete;

    // A new holder record for the holder: a zeroed block, then filled with the holder's
    // TYPEID and handle. Returns the record's address.
    TVMAddress add(std::unique_ptr<StreamHolder> holder);
    // The holder whose record is at `record`, or null when that is no live holder record.
    StreamHolder* find(TVMAddress record) const;

    // MStreamHolderFinaliser: the block at `payload`, a holder record or anything else
    // with the stream-holder code, is being freed.
    void destructStreamHolder(TVMAddress payload) override;

private:
    VMHeap& heap;
    AddressSpace& memory;
    NativeObjectTable holders;
};
