// The virtual machine: module tables, operand stack, heap, the interpreter and the
// run wrapper through which the host calls into the application.
#pragma once

#include "AddressSpace.h"
#include "CallStack.h"
#include "Collector.h"
#include "DecodedCode.h"
#include "FrameworkServices.h"
#include "InterfaceForCallingGc.h"
#include "MVMCallbackInterface.h"
#include "ModuleTables.h"
#include "ObjectWrapper.h"
#include "RootedValues.h"
#include "StreamTable.h"
#include "StressCollection.h"
#include "VMHeap.h"
#include "random/MersenneTwister.h"

#include <array>
#include <deque>
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

// The methods the machine itself calls, by their place in `eventHandles`.
enum EventHandle : int {
    EHandleGlobalInit,
    EHandleMain,
    EHandleSystemTimer,
    EHandleDraw,
    EHandleKeyPressed,
    EHandleKeyReleased,
    EHandleOrientationChanged,
    EHandlePointerEvent,
    EHandlePointerPressed,
    EHandlePointerDragged,
    EHandlePointerReleased,
    EHandleExit,
    EHandleForeground,
    EHandleBackground,
    EHandleInternalThrow,
    EHandlePrintThrowable,
    EHandlePrintThrowableAndExit,
    EEventHandleCount
};

class VirtualMachine : public MVMCallbackInterface, public InterfaceForCallingGc {
public:
    // Operand stack: the collector and the heap know the first kStackSlots of its storage.
    static constexpr TInt32 kStackStorageSlots = 15256;
    static constexpr TInt32 kStackSlots = 15000;
    static constexpr TInt32 kHandlerCapacity = 128;

    VirtualMachine();
    ~VirtualMachine() override;
    VirtualMachine(const VirtualMachine&) = delete;
    VirtualMachine& operator=(const VirtualMachine&) = delete;

    // Loads the module from the stream, looks up the event methods and runs
    // "::global::init" and "main". Raises a fatal machine error when the module cannot be
    // loaded or has no "main"; throws MachineStop when a start-up call ends the application.
    void startApplication(KESTRO::InputStream& stream, const OString& name,
                          FrameworkServices* services);

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

    // Host events; each does nothing while the application object is null or the
    // application lacks the method.
    void draw(TVMAddress canvas);
    void systemTimer(TVMAddress listener);
    void pointerEvent(TInt32 type, TInt32 x, TInt32 y, TInt32 modifiers);
    void orientationChanged(TVMAddress listener, TInt32 orientation);
    void exitEvent();
    void foregroundEvent();
    void backgroundEvent();

    AddressSpace& memory() { return space; }
    ModuleTables& moduleTables() { return tables; }
    TVMAddress applicationObjectReference() const { return applicationObject; }
    void setApplicationObject(TVMAddress object);
    TVMAddress globalsReference() const { return globals; }
    TInt32 eventHandle(EventHandle which) const { return eventHandles[which]; }
    const std::vector<MethodHandle>& methodHandleTable() const { return methodHandles; }

private:
    // Raises the fatal machine error and keeps its description for the host.
    [[noreturn]] void fatalError(const std::string& message, TInt32 position);
    void lookUpEventHandles();
    void prepareCode();
    void allocateGlobals(TUint32 slots);
    // Runs the interpreter until the host call's method returns, turning runtime errors
    // into application exceptions; throws MachineStop when the call must end.
    void runToCompletion();
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
    [[noreturn]] void stackOverflow();
    // The host bytes of `words` words at a VM address; null raises NullPointerException.
    TUint8* wordsAt(TVMAddress address, TUint32 words);
    const MethodEntry& globalImplementation(TInt32 handle, const std::string& missing);
    void hostEvent(EventHandle which, const std::vector<TUint32>& arguments,
                   const std::vector<TInt32>& depths, bool queued);
    void run();
    void callNative(TInt32 group, TInt32 function);
    void debugNative(TInt32 function);
    void systemNative(TInt32 function);
    void timerNative(TInt32 function);
    [[noreturn]] void unknownNativeFunction(const char* prefix);

    // Array and string natives (natives/vector/, natives/string/). The array group is one
    // template per element type, an ObjectWrapper<T, N> of N slots. NativeCall reads their
    // operands and leaves their results on the stack.
    template <class Element> void vectorNative(TInt32 function, TBool bPrimitive);
    void stringNative(TInt32 function);

    // Date-time, range, encoder and hash natives (natives/datetime/, natives/range/,
    // natives/encoder/, natives/hash/), and System 9, a DateTime of the current time in the
    // zone on top of the stack.
    void dateTimeNative(TInt32 function);
    void rangeNative(TInt32 function);
    void encoderNative(TInt32 function);
    void hashNative(TInt32 function);
    void currentDateTimeNative();

    // Number, byte, character and long natives (natives/number/), and the fixed-point,
    // float and math natives (natives/fixed/).
    void numberNative(TInt32 function);
    void byteNative(TInt32 function);
    void charNative(TInt32 function);
    void longNative(TInt32 function);
    void fixedNative(TInt32 function);
    void floatNative(TInt32 function);
    void mathNative(TInt32 function);
    // The math natives' generator, made and seeded from the processor clock on first use.
    MersenneTwister& randomGenerator();

    // File, stream and file-system natives (natives/file/): groups 24, 22, 23, 21 and 25.
    // An open file is a stream holder in `streams`, reached through a record in the heap.
    void fileReaderNative(TInt32 function);
    void fileWriterNative(TInt32 function);
    void inputStreamNative(TInt32 function);
    void outputStreamNative(TInt32 function);
    void fileSystemNative(TInt32 function);
    friend class NativeCall;

    // Natives reach their operands through these.
    TUint32& slot(TInt32 index) {
        if (static_cast<TUint32>(index) >= static_cast<TUint32>(kStackStorageSlots)) [[unlikely]]
            nativeOperandOutsideStack();
        return stack[index];
    }
    [[noreturn]] void nativeOperandOutsideStack();
    OString& stringAt(TVMAddress cell);
    TVMAddress newString(OString text);
    // Pushes a value within the stack's limit: a native's result when it has no operands
    // to replace, or an argument of a call the machine itself makes.
    void push(TUint32 value);

    AddressSpace space;
    TVMAddress applicationObject = 0;
    std::array<TInt32, EEventHandleCount> eventHandles{};
    TVMAddress globals = 0;
    ModuleTables tables;
    std::vector<MethodHandle> methodHandles;
    TInt32 pc = -1;
    TInt32 sp = 0;
    std::vector<TUint8> code; // the loaded code followed by bytes that stop execution
    DecodedCode decoded;      // the code as the interpreter runs it, made on first use
    TVMAddress stackAddress = 0;
    TUint32* stack = nullptr;
    // Pushes beyond this slot index raise VMException; after an overflow the rest of the
    // stack's storage is lent to the application's exception handling until it recovers.
    TInt32 stackLimit = kStackSlots;
    TInt32 handlerTop = 0;
    std::array<HandlerRecord, kHandlerCapacity> handlers{};
    VMHeap heap;
    Collector collector;
    std::unique_ptr<StressCollection> stress; // only in the collector's stress mode
    TInt32 runningHandle = -1;
    std::deque<QueuedCall> queuedCalls;
    CallStack frames;
    // For each method index, the slots its frame holds below the return address.
    std::vector<TInt32> frameOffsets;
    FrameworkServices* services = nullptr;
    std::optional<MersenneTwister> randomSource; // see randomGenerator()
    StreamTable streams; // the stream holders of open files; told when the heap frees one
};

// The machine of the calling thread, or null before one is installed.
VirtualMachine* currentVirtualMachine();
void setCurrentVirtualMachine(VirtualMachine* machine);
