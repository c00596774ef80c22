// How code starts to run: the host's calls into the application (the run wrapper, with
// queued calls), method look-up by signature, and reference-depth conversion.
#include "ErrorHandling.h"
#include "HeapCells.h"
#include "MachineStop.h"
#include "ScopedRoot.h"
#include "VirtualMachine.h"

#include <exception>
#include <new>
#include <string>

namespace {

std::string utf8(const OString& text) {
    const Vec<TUint8> bytes = text.toUtf8();
    return {bytes.begin(), bytes.end()};
}

// The signature split into the pieces that must appear in a method's stored name: a new
// piece starts after each '<' and after a '(' in position 0.
std::vector<std::u16string> signaturePieces(const OString& signature) {
    std::vector<std::u16string> pieces(1);
    for (TInt32 i = 0; i < signature.length(); ++i) {
        const char16_t unit = signature.at(i);
        pieces.back() += unit;
        if (unit == u'<' || (unit == u'(' && i == 0)) pieces.emplace_back();
    }
    return pieces;
}

// Matches the pieces against a stored name; the '*' characters after each piece but the
// last give the reference depth of one slot.
bool matchPieces(const std::vector<std::u16string>& pieces, std::u16string_view name,
                 std::vector<TInt32>& depths) {
    depths.clear();
    std::size_t position = 0;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (name.substr(position, pieces[k].size()) != pieces[k]) return false;
        position += pieces[k].size();
        if (k + 1 == pieces.size()) break;
        TInt32 depth = 0;
        while (position + 1 < name.size() && name[position] == u'*') {
            ++depth;
            ++position;
        }
        depths.push_back(depth);
    }
    return true;
}

} // namespace

TInt32 VirtualMachine::findMethod(const OString& signature, TInt32 module) {
    const std::vector<std::u16string> pieces = signaturePieces(signature);
    std::vector<TInt32> depths;
    for (std::size_t index = 0; index < tables.methods.size(); ++index) {
        ExportedMethod& method = tables.methods[index];
        if (!method.isClassMethod && method.module != module) continue;
        if (!matchPieces(pieces, method.name.view(), depths)) continue;
        if (method.handle >= 0) return method.handle;
        MethodHandle handle;
        handle.hasResult = !signature.isEmpty() && signature.at(0) == u'(';
        if (handle.hasResult && !depths.empty()) {
            handle.resultDepth = depths.front();
            depths.erase(depths.begin());
        }
        handle.parameterDepths = depths;
        handle.signature = signature;
        handle.exportedMethod = static_cast<TInt32>(index);
        methodHandles.push_back(std::move(handle));
        method.handle = static_cast<TInt32>(methodHandles.size() - 1);
        return method.handle;
    }
    return -1;
}

TUint32 VirtualMachine::convertReferenceDepth(TInt32 delta, TUint32 value) {
    if (delta >= -3 && delta <= -1) {
        for (TInt32 i = 0; i < -delta; ++i)
            value = space.load32(value);
        return value;
    }
    if (delta >= 1 && delta <= 3) {
        for (TInt32 i = 0; i < delta; ++i)
            value = newCell(heap, value);
        return value;
    }
    return delta == 0 ? value : 0;
}

void VirtualMachine::callMethodOrQueue(TInt32 handle, const std::vector<TUint32>& arguments,
                                       const std::vector<TInt32>& argumentDepths,
                                       TInt32 resultDepth) {
    if (runningHandle != -1) {
        queuedCalls.push_back(
            {{handle, arguments, argumentDepths, resultDepth}, RootedValues(heap, arguments)});
        return;
    }
    callMethod(handle, arguments, argumentDepths, resultDepth);
}

// Nothing but the machine's own error and MachineStop leaves a host call: another
// exception (an exhausted allocation outside the interpreter, say) ends it as a fatal
// machine error.
TUint32 VirtualMachine::callMethod(TInt32 handle, const std::vector<TUint32>& arguments,
                                   const std::vector<TInt32>& argumentDepths, TInt32 resultDepth) {
    try {
        return performCall(handle, arguments, argumentDepths, resultDepth);
    } catch (const std::bad_alloc&) {
        stopWithFatalError("memory exhausted during a host call");
    } catch (const std::exception& error) {
        stopWithFatalError(std::string("host call ended by ") + error.what());
    }
}

TUint32 VirtualMachine::performCall(TInt32 handle, const std::vector<TUint32>& arguments,
                                    const std::vector<TInt32>& argumentDepths, TInt32 resultDepth) {
    if (runningHandle != -1) fatalError("VM concurrency error", -1);
    // A copy: natives may look up further methods while the call runs.
    const MethodHandle method = methodHandles.at(static_cast<std::size_t>(handle));
    runningHandle = handle;
    stackLimit = kStackSlots;
    try {
        runMethod(method, arguments, argumentDepths);
    } catch (...) {
        // The machine is idle again whatever ended the call.
        resetExecution();
        throw;
    }
    const TUint32 result = stack[0];
    const bool keepResult = method.hasResult && method.resultDepth > 0 && result != 0;
    resetExecution();
    {
        // The result is the host's now, and must outlive the collection and the queued calls.
        const ScopedRoot keep(heap, keepResult ? result : 0);
        collectFromRoots();
        performQueuedCalls();
    }
    return method.hasResult ? convertReferenceDepth(resultDepth - method.resultDepth, result) : 0;
}

void VirtualMachine::runMethod(const MethodHandle& method, const std::vector<TUint32>& arguments,
                               const std::vector<TInt32>& argumentDepths) {
    sp = method.hasResult ? 1 : 0;
    stack[0] = 0;
    {
        // Until an argument is on the stack, only the host holds it.
        const RootedValues waiting(heap, arguments);
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (sp >= stackLimit) stackOverflow();
            const TInt32 depth = i < argumentDepths.size() ? argumentDepths[i] : 0;
            stack[sp++] = convertReferenceDepth(parameterDepth(method, i) - depth, arguments[i]);
        }
    }
    const ExportedMethod& exported =
        tables.methods[static_cast<std::size_t>(method.exportedMethod)];
    TInt32 classIndex = -1;
    if (exported.isClassMethod) {
        classIndex = static_cast<TInt32>(stack[0]);
        for (TInt32 i = 0; i < parameterDepth(method, 0); ++i)
            classIndex = static_cast<TInt32>(space.load32(static_cast<TUint32>(classIndex)));
    }
    for (const MethodEntry& entry : exported.entries) {
        if (entry.classIndex != classIndex) continue;
        if (entry.codeOffset < 0 ||
            static_cast<std::size_t>(entry.codeOffset) >= tables.code.size() ||
            entry.methodIndex < 0 ||
            static_cast<std::size_t>(entry.methodIndex) >= tables.frameLayouts.size())
            fatalError("host call of '" + utf8(method.signature) +
                           "', whose code or frame layout is not in the module",
                       -1);
        frames.push(entry.methodIndex, 0);
        pc = entry.codeOffset;
        stack[sp] = static_cast<TUint32>(-1);
        runToCompletion();
        return;
    }
}

void VirtualMachine::resetExecution() {
    pc = -1;
    sp = 0;
    handlerTop = 0;
    frames.clear();
    runningHandle = -1;
}

void VirtualMachine::performQueuedCalls() {
    while (!queuedCalls.empty()) {
        // The call roots its arguments itself until they are on the stack.
        const StoredMethodCall call = std::move(queuedCalls.front().call);
        queuedCalls.pop_front();
        callMethod(call.handle, call.arguments, call.argumentDepths, call.resultDepth);
    }
}

void VirtualMachine::runToCompletion() {
    while (true) {
        TInt32 errorCode = ENoError;
        OString text;
        try {
            run();
            return;
        } catch (const ErrorHandlingException&) {
            errorCode = lastErrorCode();
            if (errorCode == EExitRequested) throw MachineStop{MachineStop::kExitRequested};
            if (errorCode == EFatalMachineError) throw MachineStop{MachineStop::kFatalError};
            text = lastErrorMessage();
            clearLastError();
        } catch (const std::exception&) {
            // An exhausted allocation, for instance: no error was recorded.
        }
        if (errorCode == ENoError) {
            errorCode = EFatalMachineError;
            text = OString("UNEXPECTED EXCEPTION");
        }
        enterInternalThrow(errorCode, text);
    }
}

// The application turns the error into its own exception object and throws it. Anything
// that goes wrong on the way there is a fatal machine error.
void VirtualMachine::enterInternalThrow(TInt32 errorCode, const OString& text) {
    try {
        const TInt32 handle = eventHandles[EHandleInternalThrow];
        const MethodEntry& entry =
            globalImplementation(handle, "runtime error without vminternalthrow: " + utf8(text));
        const MethodHandle& method = methodHandles[static_cast<std::size_t>(handle)];
        const TVMAddress message = newStringCell(heap, text);
        const ScopedRoot keep(heap, message);
        push(convertReferenceDepth(parameterDepth(method, 0), static_cast<TUint32>(errorCode)));
        push(convertReferenceDepth(parameterDepth(method, 1) - 1, message));
        push(static_cast<TUint32>(pc + 1));
        // The frame is recorded like any call's, so that a normal return stays balanced.
        enterMethodFrame(entry.methodIndex, sp);
        pc = entry.codeOffset;
    } catch (const ErrorHandlingException&) {
        stopWithFatalError("runtime error while raising an application exception: " +
                           utf8(lastErrorMessage()));
    } catch (const std::bad_alloc&) {
        stopWithFatalError("memory exhausted while raising an application exception");
    }
}

void VirtualMachine::stopWithFatalError(const std::string& description) {
    if (lastErrorCode() != EFatalMachineError) {
        try {
            fatalError(description, pc);
        } catch (const ErrorHandlingException&) {
        }
    }
    throw MachineStop{MachineStop::kFatalError};
}

void VirtualMachine::deliverEvent(EventHandle which, std::initializer_list<TUint32> values) {
    const MachineMethod& method = kMachineMethods[which];
    KESTRO_ASSERT(method.delivery != EventDelivery::Machine);
    const TInt32 handle = eventHandles[which];
    if (handle < 0) return;
    std::vector<TUint32> arguments;
    std::vector<TInt32> depths;
    if (method.receiver == EventReceiver::Application) {
        if (applicationObject == 0) return;
        arguments.push_back(applicationObject);
        depths.push_back(1);
    }
    for (const TUint32 value : values) {
        const bool listener = method.receiver == EventReceiver::Listener && arguments.empty();
        arguments.push_back(value);
        depths.push_back(listener ? 1 : 0);
    }
    if (method.delivery == EventDelivery::Queued) {
        callMethodOrQueue(handle, arguments, depths, 0);
    } else {
        callMethod(handle, arguments, depths, 0);
    }
}
