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
    case 1: return vectorNative<ObjectWrapper<signed char, 1>>(function, ETrue);
    case 3: return vectorNative<ObjectWrapper<int, 1>>(function, ETrue);
    case 4: return vectorNative<ObjectWrapper<int, 2>>(function, ETrue);
    case 5: return vectorNative<ObjectWrapper<int, 3>>(function, ETrue);
    case 6: return vectorNative<ObjectWrapper<int, 4>>(function, ETrue);
    case 7: return vectorNative<ObjectWrapper<int, 1>>(function, EFalse);
    case 8: return stringNative(function);
    case 10: return charNative(function);
    case 12: return longNative(function);
    case 14: return rangeNative(function);
    case 27: return numberNative(function);
    case 28: return encoderNative(function);
    case 34: return hashNative(function);
    default: break;
    }
    const NativeGroupInfo info = nativeGroupInfo(group);
    if (!info.messagePrefix) {
        const std::string message =
            "Internal error: invalid group in native call: " + std::to_string(group);
        fatalError(message.c_str(), pc);
    }
    // The float group names the function number where the others name the code position.
    if (group == 36)
        throwError(EVMException, (info.messagePrefix + std::to_string(function)).c_str());
    NativeCall(*this, group).unknownFunction();
}
