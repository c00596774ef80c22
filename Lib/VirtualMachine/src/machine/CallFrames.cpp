// Frames of called methods, class-method dispatch, and the throw of an exception.
#include "ErrorHandling.h"
#include "VirtualMachine.h"

void VirtualMachine::enterUnusualFrame(TInt32 methodIndex, TInt32 returnSlot) {
    if (methodIndex >= 0) fatalError("call with an unknown method index", pc);
    frames.push(-1, returnSlot);
}

const MethodEntry& VirtualMachine::classMethodEntry(TUint32 method, TInt32 classIndex,
                                                    TInt32 position) {
    if (method < tables.methods.size()) {
        for (const MethodEntry& entry : tables.methods[method].entries)
            if (entry.classIndex == classIndex) return entry;
    }
    fatalError("Invalid type in virtual method call", position);
}

TUint8* VirtualMachine::wordsAt(TVMAddress address, TUint32 words) {
    if (address == 0) throwError(ENullPointer, "NULL pointer");
    if (words > 0x3FFFFFFFu) fatalError("block of words beyond the machine's memory", pc);
    return static_cast<TUint8*>(space.hostPointer(address, words * 4));
}

// The handler records are searched from the innermost; a record catches the object's
// class, one of its superclasses, or (class below 1) everything. Frames the throw leaves
// are dropped with it, so that the collector walks only live frames.
void VirtualMachine::throwException(TVMAddress exception) {
    const TInt32 objectClass = static_cast<TInt32>(space.load32(exception));
    const std::size_t superclasses = tables.superclass.size();
    while (handlerTop >= 1) {
        const HandlerRecord record = handlers[static_cast<std::size_t>(handlerTop)];
        --handlerTop;
        // The walk is bounded by the table size: a module may describe a cycle.
        std::size_t steps = 0;
        for (TInt32 c = objectClass; c > 0 && steps <= superclasses; ++steps) {
            if (record.classIndex == c || record.classIndex < 1) {
                catchAt(record, exception);
                return;
            }
            c = static_cast<std::size_t>(c) < superclasses
                    ? tables.superclass[static_cast<std::size_t>(c)]
                    : -1;
        }
    }
    callUncaughtHandler(exception);
}

void VirtualMachine::catchAt(const HandlerRecord& record, TVMAddress exception) {
    const TInt64 resume = TInt64{record.handlerPc} + 1;
    if (resume < 0 || resume >= static_cast<TInt64>(tables.code.size()))
        fatalError("exception handler outside the code", pc);
    if (record.savedSp < -1 || record.savedSp + 1 >= kStackStorageSlots)
        fatalError("exception handler with a stack outside its bounds", pc);
    sp = record.savedSp + 1;
    stack[sp] = exception;
    frames.truncate(record.frameDepth);
    if (sp < kStackSlots && frames.depth() < kStackSlots) stackLimit = kStackSlots;
    pc = static_cast<TInt32>(resume);
}

void VirtualMachine::callUncaughtHandler(TVMAddress exception) {
    const TInt32 handle = eventHandles[EHandlePrintThrowableAndExit];
    const MethodEntry& entry =
        globalImplementation(handle, "uncaught exception without vmprintthrowableandexit");
    const MethodHandle& method = methodHandles[static_cast<std::size_t>(handle)];
    push(convertReferenceDepth(parameterDepth(method, 0) - 1, exception));
    push(static_cast<TUint32>(pc + 1));
    enterMethodFrame(entry.methodIndex, sp);
    pc = entry.codeOffset;
}

TInt32 VirtualMachine::parameterDepth(const MethodHandle& method, std::size_t index) {
    return index < method.parameterDepths.size() ? method.parameterDepths[index] : 0;
}

const MethodEntry& VirtualMachine::globalImplementation(TInt32 handle, const std::string& missing) {
    if (handle >= 0) {
        const MethodHandle& method = methodHandles[static_cast<std::size_t>(handle)];
        for (const MethodEntry& entry :
             tables.methods[static_cast<std::size_t>(method.exportedMethod)].entries) {
            if (entry.classIndex == -1 && entry.codeOffset >= 0 &&
                static_cast<std::size_t>(entry.codeOffset) < tables.code.size())
                return entry;
        }
    }
    fatalError(missing, pc);
}
