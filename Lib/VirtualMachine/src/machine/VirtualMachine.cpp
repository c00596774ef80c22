#include "VirtualMachine.h"

#include "ErrorHandling.h"
#include "MachineStop.h"
#include "ModuleLoader.h"
#include "OVector.h"
#include "Opcodes.h"

#include <cstring>
#include <new>

namespace {

// Code is followed by bytes that are invalid opcodes: running off the end stops there,
// and operands read past the end stay inside the array.
constexpr std::size_t kCodePadding = 16;
constexpr TUint8 kStopByte = 0xFF;

thread_local VirtualMachine* currentMachine = nullptr;

} // namespace

VirtualMachine* currentVirtualMachine() {
    return currentMachine;
}

void setCurrentVirtualMachine(VirtualMachine* machine) {
    currentMachine = machine;
}

VirtualMachine::VirtualMachine() : NativeMachine(this), collector(heap, tables) {
    eventHandles.fill(-1);
    prepareCode();
    if (StressCollection::requested()) {
        stress = std::make_unique<StressCollection>([this] { collectUnderStress(); });
        heap.setAllocationObserver(stress.get());
    }
}

// Every block still in use is freed, which finalises every native object once.
VirtualMachine::~VirtualMachine() {
    heap.setAllocationObserver(nullptr);
    try {
        heap.clearMarks();
        heap.sweep();
    } catch (...) {
        // A heap the application has damaged is released all the same.
    }
    if (currentMachine == this) currentMachine = nullptr;
}

void VirtualMachine::reportFatalError(const char* message, TInt32 position) {
    fatalError(message, position);
}

void VirtualMachine::prepareCode() {
    code = tables.code;
    code.insert(code.end(), kCodePadding, kStopByte);
    decoded.clear();
    frameOffsets.clear();
    // A module may give any slot counts: the sum wraps as the frame code expects.
    for (const MethodGCInfo& layout : tables.frameLayouts)
        frameOffsets.push_back(static_cast<TInt32>(static_cast<TUint32>(layout.argumentSlots) +
                                                   static_cast<TUint32>(layout.resultSlots)));
}

// A block larger than the machine's memory fails the load.
void VirtualMachine::allocateGlobals(TUint32 slots) {
    globals = heap.allocateWords(slots, GC_CODE_DATA);
    heap.addRoot(globals);
}

void VirtualMachine::startApplication(KESTRO::InputStream& stream, const OString& name,
                                      const HostServices& services) {
    KESTRO_ASSERT(services.complete());
    host = services;
    try {
        const auto onGlobals = [this](TUint32 slots) { allocateGlobals(slots); };
        if (ModuleLoader::load(tables, name, stream, onGlobals) < 0)
            fatalError("Error while reading bytecode", -1);
    } catch (const ErrorHandlingException&) {
        clearLastError();
        fatalError("Error while reading bytecode", -1);
    } catch (const std::bad_alloc&) {
        fatalError("Error while reading bytecode", -1);
    }
    prepareCode();
    lookUpEventHandles();
    if (eventHandles[EHandleMain] < 0) fatalError("'main' not found", -1);
    // A module without a global initialiser simply has nothing to initialise.
    if (eventHandles[EHandleGlobalInit] >= 0)
        callMethod(eventHandles[EHandleGlobalInit], {}, {}, 0);
    callMethod(eventHandles[EHandleMain], {}, {}, 0);
    collectFromRoots();
}

void VirtualMachine::lookUpEventHandles() {
    for (std::size_t which = 0; which < eventHandles.size(); ++which)
        eventHandles[which] = findMethod(OString(kMachineMethods[which].signature), 0);
}

TVMAddress VirtualMachine::createByteArray(const std::vector<TUint8>& bytes) {
    return OVector::createByteArray(heap, bytes);
}

void VirtualMachine::setApplicationObject(TVMAddress object) {
    if (applicationObject != 0) heap.removeRoot(applicationObject);
    applicationObject = object;
    if (applicationObject != 0) heap.addRoot(applicationObject);
}

void VirtualMachine::decodeCode(const void* const* opcodeHandlers, const void* const* fusedHandlers,
                                const void* countFused, const void* countPlain) {
    decoded.decode(code, static_cast<TUint32>(tables.code.size()), opcodeHandlers, fusedHandlers,
                   frameOffsets);
    if (EntryProfile::requested())
        entryProfile.attach(decoded, fusedHandlers, countFused, countPlain);
}
