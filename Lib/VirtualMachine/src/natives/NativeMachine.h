// The machine as native calls see it: its memory and heap, the operand stack, the host's
// services and the state native groups keep between calls. The machine derives from it
// privately and fills it; natives reach it only through NativeCall.
#pragma once

#include "AddressSpace.h"
#include "HostServices.h"
#include "InterfaceForCallingGc.h"
#include "MersenneTwister.h"
#include "StreamTable.h"
#include "VMHeap.h"

#include <optional>
#include <string>

class NativeMachine {
public:
    // The operand stack: pushes beyond slot kStackSlots raise VMException; the rest of
    // its storage is then lent to the application's exception handling.
    static constexpr TInt32 kStackStorageSlots = 15256;
    static constexpr TInt32 kStackSlots = 15000;

    explicit NativeMachine(InterfaceForCallingGc* collections);
    virtual ~NativeMachine() = default;
    NativeMachine(const NativeMachine&) = delete;
    NativeMachine& operator=(const NativeMachine&) = delete;

    // Raises VMException "operand stack overflow" and lends the rest of the storage; an
    // overflow while it is lent is a fatal machine error.
    [[noreturn]] void stackOverflow();
    // Pushes a value within the stack's limit.
    void push(TUint32 value) {
        if (sp + 1 >= stackLimit) stackOverflow();
        stack[++sp] = value;
    }
    // Raises the fatal machine error and keeps its description for the host; `position`
    // is the code offset it names, or -1.
    [[noreturn]] static void fatalError(const std::string& message, TInt32 position);
    // The object the host's events are called on; it stays a collector root while set.
    virtual void setApplicationObject(TVMAddress object) = 0;
    // The math natives' generator, made and seeded from the processor clock on first use.
    MersenneTwister& randomGenerator();

    AddressSpace space;
    VMHeap heap;
    TVMAddress stackAddress = 0;
    TUint32* stack = nullptr;
    TInt32 sp = 0;
    TInt32 stackLimit = kStackSlots;
    // The code offset of the running instruction's last byte, while a native runs.
    TInt32 pc = -1;
    HostServices host;
    StreamTable streams; // the stream holders of open files; told when the heap frees one

private:
    std::optional<MersenneTwister> randomSource;
};
