// The machine's side of collections: what it hands the collector. An abandoned collection
// raises VMException with an empty message.
#include "ErrorHandling.h"
#include "VirtualMachine.h"

void VirtualMachine::collectGarbage() {
    if (!collector.collectWithStack(operandStack(), globals)) throwError(EVMException);
}

void VirtualMachine::collectFromRoots() {
    const auto start = std::chrono::steady_clock::now();
    const bool finished = collector.collectFromRoots(globals);
    lastPause = std::chrono::steady_clock::now() - start;
    if (!finished) throwError(EVMException);
}

// Stress collections run only while application code runs, and an abandoned one is not
// reported: no collection would have run here in the normal mode.
void VirtualMachine::collectUnderStress() {
    if (runningHandle != -1) collector.collectWithStack(operandStack(), globals);
}

// Between host calls the stack holds nothing live.
OperandStackView VirtualMachine::operandStack() const {
    OperandStackView view;
    view.slots = {stack, static_cast<std::size_t>(kStackStorageSlots)};
    view.address = stackAddress;
    view.stackSlots = kStackSlots;
    view.top = runningHandle == -1 ? -1 : sp;
    view.frameMethods = frames.methods();
    view.frameBases = frames.bases();
    view.frameLayouts = tables.frameLayouts;
    return view;
}
