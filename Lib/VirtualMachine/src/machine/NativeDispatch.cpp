// Native calls (opcode 78): the function's row in its group's table runs on the stack.
#include "NativeCall.h"
#include "NativeGroups.h"
#include "VirtualMachine.h"

#include <string>

void VirtualMachine::callNative(TInt32 group, TInt32 function) {
    NativeCall call(*this, group, function);
    if (const NativeFunction* native = findNative(group, function)) [[likely]] {
        native->handler(call, native->constant);
        return;
    }
    if (!nativeGroupInfo(group).name) {
        const std::string message =
            "Internal error: invalid group in native call: " + std::to_string(group);
        fatalError(message, pc);
    }
    call.unknownFunction();
}
