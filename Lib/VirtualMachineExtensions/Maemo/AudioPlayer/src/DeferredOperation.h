// An operation on a player that waits for the sound server. The player stays a root of
// the heap while the operation waits, so the collector cannot free it first.
#pragma once

#include "AddressSpace.h"
#include "VMHeap.h"

class AudioPlayer;

class DeferredOperation {
public:
    using Operation = void (AudioPlayer::*)();

    // `object`: the player's block in the heap.
    DeferredOperation(VMHeap& heap, TVMAddress object, AudioPlayer& player, Operation operation);
    ~DeferredOperation();
    DeferredOperation(const DeferredOperation&) = delete;
    DeferredOperation& operator=(const DeferredOperation&) = delete;

    void run();

private:
    VMHeap& heap;
    const TVMAddress object;
    AudioPlayer& player;
    const Operation operation;
};
