// The virtual machine: module tables, operand stack, heap, the interpreter and the
// run wrapper through which the host calls into the application.
#pragma once

#include "CallStack.h"
#include "Collector.h"
#include "DecodedCode.h"
#include "EntryProfile.h"
#include "HostServices.h"
#include "InterfaceForCallingGc.h"
#include "MVMCallbackInterface.h"
#include "MachineMethods.h"
#include "ModuleTables.h"
#include "NativeMachine.h"
#include "RootedValues.h"
#include "StressCollection.h"

#include <array>
#include <chrono>
#include <deque>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace KESTRO {
class InputStream;
}

struct MethodHandle {
    TInt32 hasResult = 0;
    TInt32 resultDepth = 0;
    OString signature;
    std::vector<TInt32> parameterDepths;
    TInt32 exportedMethod = -1;
};

struct StoredMethodCall {
    TInt32 handle = -1;
    std::vector<TUint32> arguments;
    std::vector<TInt32> argumentDepths;
    TInt32 resultDepth = 0;
};

// A host call waiting for the running one to end; its arguments stay alive meanwhile.
struct QueuedCall {
    StoredMethodCall call;
    RootedValues arguments;
};

// An active protected region.
struct HandlerRecord {
    TInt32 classIndex = 0; // below 1: catches every class
    TInt32 savedSp = 0;
    TInt32 handlerPc = 0;
    TInt32 frameDepth = 0; // active frames when the region was entered
};

// The machine's memory, heap, operand stack and host services are its NativeMachine part,
// which native calls reach through NativeCall.
class VirtualMachine : public MVMCallbackInterface,
                       public InterfaceForCallingGc,
                       private NativeMachine {
public:
    using NativeMachine::kStackSlots;
    using NativeMachine::kStackStorageSlots;
    static constexpr TInt32 kHandlerCapacity = 128;

    VirtualMachine();
    ~VirtualMachine() override;
    VirtualMachine(const VirtualMachine&) = delete;
    VirtualMachine& operator=(const VirtualMachine&) = delete;

    // Loads the module from the stream, looks up the event methods and runs
    // "::global::init" and "main". Raises a fatal machine error when the module cannot be
    // loaded or has no "main"; throws MachineStop when a start-up call ends the application.
    void startApplication(KESTRO::InputStream& stream, const OString& name,
                          const HostServices& services);

    // MVMCallbackInterface
    TInt32 findMethod(const OString& signature, TInt32 module) override;
    void callMethodOrQueue(TInt32 handle, const std::vector<TUint32>& arguments,
                           const std::vector<TInt32>& argumentDepths, TInt32 resultDepth) override;
    [[noreturn]] void reportFatalError(const char* message, TInt32 position) override;
    VMHeap& getHeap() override { return heap; }
    TUint32 convertReferenceDepth(TInt32 delta, TUint32 value) override;
    TVMAddress createByteArray(const std::vector<TUint8>& bytes) override;

    // InterfaceForCallingGc: the full collection, which also marks from the operand stack.
    void collectGarbage() override;

    // The run wrapper: performs one host call and returns its result (0 without one).
    TUint32 callMethod(TInt32 handle, const std::vector<TUint32>& arguments,
                       const std::vector<TInt32>& argumentDepths, TInt32 resultDepth);

    // The host's one way into the application: calls the method of the event with the
    // values (plain values with depth 0; a listener event's listener first) on its
    // receiver, at once or queued as the event's row in kMachineMethods says. Nothing
    // happens when the application lacks the method, or while the application object is
    // null for an event on it.
    void deliverEvent(EventHandle which, std::initializer_list<TUint32> values);

    AddressSpace& memory() { return space; }
    ModuleTables& moduleTables() { return tables; }
    TVMAddress applicationObjectReference() const { return applicationObject; }
    void setApplicationObject(TVMAddress object) override;
    TVMAddress globalsReference() const { return globals; }
    TInt32 eventHandle(EventHandle which) const { return eventHandles[which]; }
    const std::vector<MethodHandle>& methodHandleTable() const { return methodHandles; }
    // How long the last collection after a host call took.
    std::chrono::nanoseconds lastCollectionPause() const { return lastPause; }

private:
    void lookUpEventHandles();
    void prepareCode();
    void allocateGlobals(TUint32 slots);
    // Runs the interpreter until the host call's method returns, turning runtime errors
    // into application exceptions; throws MachineStop when the call must end.
    void runToCompletion();
    TUint32 performCall(TInt32 handle, const std::vector<TUint32>& arguments,
                        const std::vector<TInt32>& argumentDepths, TInt32 resultDepth);
    void runMethod(const MethodHandle& method, const std::vector<TUint32>& arguments,
                   const std::vector<TInt32>& argumentDepths);
    // Leaves the machine idle: no frames, no handlers, no host call running.
    void resetExecution();
    // The collection after a host call and at start-up: from the roots and the globals.
    void collectFromRoots();
    void collectUnderStress();
    OperandStackView operandStack() const;
    void performQueuedCalls();
    // Pushes the arguments of "vminternalthrow<int>,<string>" and jumps to it.
    void enterInternalThrow(TInt32 errorCode, const OString& text);
    // Ends the host call as a fatal machine error (recording one unless that is what
    // already went wrong).
    [[noreturn]] void stopWithFatalError(const std::string& description);
    // Records a called method's frame: its layout and where it starts below the
    // return-address slot.
    void enterMethodFrame(TInt32 methodIndex, TInt32 returnSlot) {
        if (frames.full(stackLimit)) [[unlikely]]
            stackOverflow();
        if (static_cast<TUint32>(methodIndex) < frameOffsets.size()) [[likely]] {
            // Wrapping: a module may give any slot counts.
            const TUint32 offset =
                static_cast<TUint32>(frameOffsets[static_cast<TUint32>(methodIndex)]);
            frames.push(methodIndex,
                        static_cast<TInt32>(static_cast<TUint32>(returnSlot) - offset));
        } else {
            enterUnusualFrame(methodIndex, returnSlot);
        }
    }
    // A call without layout (negative index), or with an index no method has.
    void enterUnusualFrame(TInt32 methodIndex, TInt32 returnSlot);
    // The implementation of class method `method` for exactly this class.
    const MethodEntry& classMethodEntry(TUint32 method, TInt32 classIndex, TInt32 position);
    // Unwinds to the innermost handler that catches the object, or calls
    // "vmprintthrowableandexit<throwable>"; sets pc and sp to continue there.
    void throwException(TVMAddress exception);
    void catchAt(const HandlerRecord& record, TVMAddress exception);
    void callUncaughtHandler(TVMAddress exception);
    static TInt32 parameterDepth(const MethodHandle& method, std::size_t index);
    // The host bytes of `words` words at a VM address; null raises NullPointerException.
    TUint8* wordsAt(TVMAddress address, TUint32 words);
    const MethodEntry& globalImplementation(TInt32 handle, const std::string& missing);
    void run();
    // Decodes the code for run() with its handlers, and takes them into the entry profile
    // when one is asked for, leading the entries to its counting handlers.
    void decodeCode(const void* const* opcodeHandlers, const void* const* fusedHandlers,
                    const void* countFused, const void* countPlain);
    // Runs native function `function` of group `group` on the operand stack.
    void callNative(TInt32 group, TInt32 function);

    TVMAddress applicationObject = 0;
    std::array<TInt32, EEventHandleCount> eventHandles{};
    TVMAddress globals = 0;
    ModuleTables tables;
    std::vector<MethodHandle> methodHandles;
    std::vector<TUint8> code;  // the loaded code followed by bytes that stop execution
    DecodedCode decoded;       // the code as the interpreter runs it, made on first use
    EntryProfile entryProfile; // counts the entries that run, when asked to
    TInt32 handlerTop = 0;
    std::array<HandlerRecord, kHandlerCapacity> handlers{};
    Collector collector;
    std::unique_ptr<StressCollection> stress; // only in the collector's stress mode
    std::chrono::nanoseconds lastPause{0};
    TInt32 runningHandle = -1;
    std::deque<QueuedCall> queuedCalls;
    CallStack frames;
    // For each method index, the slots its frame holds below the return address.
    std::vector<TInt32> frameOffsets;
};

// The machine of the calling thread, or null before one is installed.
VirtualMachine* currentVirtualMachine();
void setCurrentVirtualMachine(VirtualMachine* machine);
