// What a full collection reads of the machine's execution state: the operand stack and the
// frames of the active calls, oldest first.
#pragma once

#include "AddressSpace.h"
#include "ModuleTables.h"

#include <span>

struct OperandStackView {
    std::span<const TUint32> slots;       // the stack's storage, from slot 0
    TVMAddress address = 0;               // the machine address of slot 0
    TInt32 stackSlots = 0;                // slots whose addresses count as pointing into the stack
    TInt32 top = -1;                      // the index of the top slot; -1 when nothing is live
    std::span<const TInt32> frameMethods; // method index of each frame, -1 without layout
    std::span<const TInt32> frameBases;   // the slot where each frame starts
    std::span<const MethodGCInfo> frameLayouts;

    bool pointsIntoStack(TUint32 value) const {
        return value - address < static_cast<TUint32>(stackSlots) * 4;
    }
};
