#include "NativeMachine.h"

#include "ErrorHandling.h"

#include <ctime>

namespace {

// Slots below slot 0 and above the last one that a single instruction may touch before
// its stack check fails; they belong to the stack's region, so the touch stays harmless.
constexpr TInt32 kStackGuardSlots = 16;

// The default seed of the generator's authors, for a clock that reads 0: a seed of 0
// would leave the generator drawing nothing but 0.
constexpr TUint32 kSeedForZeroClock = 4357;

} // namespace

NativeMachine::NativeMachine(InterfaceForCallingGc* collections)
    : heap(space, collections), streams(heap) {
    heap.setStreamHolderFinaliser(&streams);
    const TUint32 regionSlots = kStackStorageSlots + 2 * kStackGuardSlots;
    const TVMAddress region = space.allocate(regionSlots * 4);
    stackAddress = region + kStackGuardSlots * 4;
    stack = static_cast<TUint32*>(space.hostPointer(stackAddress, kStackStorageSlots * 4));
}

void NativeMachine::stackOverflow() {
    if (stackLimit == kStackStorageSlots)
        fatalError("operand stack exhausted while handling its overflow", pc);
    // The application's exception handling may use the rest of the storage.
    stackLimit = kStackStorageSlots;
    throwError(EVMException, "operand stack overflow");
}

void NativeMachine::fatalError(const std::string& message, TInt32 position) {
    std::string description = message;
    if (position >= 0) description += " (code offset " + std::to_string(position) + ")";
    raiseFatalMachineError(description);
}

MersenneTwister& NativeMachine::randomGenerator() {
    if (!randomSource) {
        const auto clockSeed = static_cast<TUint32>(std::clock());
        randomSource.emplace(clockSeed != 0 ? clockSeed : kSeedForZeroClock);
    }
    return *randomSource;
}
