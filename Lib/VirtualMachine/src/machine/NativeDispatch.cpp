// Native calls (opcode 78): the function's row in its group's table runs on the stack.
#include "ErrorHandling.h"
#include "NativeCall.h"
#include "NativeGroups.h"
#include "VirtualMachine.h"

void VirtualMachine::callNative(TInt32 group, TInt32 function) {
    if (const NativeFunction* native = findNative(group, function)) [[likely]] {
        NativeCall call(*this, group);
        native->handler(call, native->constant);
        return;
    }
    callLegacyNative(group, function);
}

void VirtualMachine::unknownNativeFunction(const char* prefix) {
    throwError(EVMException, (std::string(prefix) + std::to_string(pc)).c_str());
}

void VirtualMachine::callLegacyNative(TInt32 group, TInt32 function) {
    switch (group) {
    case 11: return fixedNative(function);
    case 21: return outputStreamNative(function);
    case 22: return fileWriterNative(function);
    case 23: return inputStreamNative(function);
    case 24: return fileReaderNative(function);
    case 25: return fileSystemNative(function);
    case 26: return mathNative(function);
    case 29: return dateTimeNative(function);
    case 36: return floatNative(function);
    default: break;
    }
    const NativeGroupInfo info = nativeGroupInfo(group);
    if (!info.messagePrefix) {
        const std::string message =
            "Internal error: invalid group in native call: " + std::to_string(group);
        fatalError(message.c_str(), pc);
    }
    NativeCall(*this, group).unknownFunction();
}
