#include "ExtensionCall.h"

#include "HeapCells.h"
#include "NativeMachine.h"
#include "VMHeap.h"

ExtensionCall::ExtensionCall(MVMCallbackInterface& machine, TInt32 topIndex,
                             TVMAddress stackAddress)
    : vm(machine), space(machine.getHeap().memory()), firstTop(topIndex), stack(stackAddress) {}

TVMAddress ExtensionCall::slotAddress(TInt32 index) const {
    if (static_cast<TUint32>(index) >= static_cast<TUint32>(NativeMachine::kStackStorageSlots))
        vm.reportFatalError("extension operand outside the stack", -1);
    return stack + static_cast<TUint32>(index) * 4;
}

TUint32 ExtensionCall::word() {
    return space.load32(slotAddress(firstTop - read++));
}

TInt64 ExtensionCall::fixed() {
    const TUint32 high = word();
    const TUint32 low = word();
    return static_cast<TInt64>((TUint64{high} << 32) | low);
}

const OString& ExtensionCall::string() {
    return stringInCell(vm.getHeap(), word());
}

void ExtensionCall::pop() {
    top = firstTop - read;
    answered = true;
}

void ExtensionCall::answer(TUint32 value) {
    if (!answered) pop();
    ++top;
    space.store32(slotAddress(top), value);
}

void ExtensionCall::answerFixed(TInt64 value) {
    answer(static_cast<TUint32>(value));
    answer(static_cast<TUint32>(static_cast<TUint64>(value) >> 32));
}
