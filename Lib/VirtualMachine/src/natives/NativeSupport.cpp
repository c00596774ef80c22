// What every native group uses: operand slots, strings behind cells, new strings, the
// unknown-function error and the dispatch by group number.
#include "ErrorHandling.h"
#include "NativeGroups.h"
#include "VirtualMachine.h"

TUint32& VirtualMachine::slot(TInt32 index) {
    if (index < 0 || index >= kStackStorageSlots)
        fatalError("native operand outside the stack", pc);
    return stack[index];
}

OString& VirtualMachine::stringAt(TVMAddress cell) {
    const TVMAddress object = space.load32(cell);
    if (object == 0) throwError(ENullPointer, "NULL pointer");
    auto* text = dynamic_cast<OString*>(heap.nativeObject(object));
    if (!text) throwError(EVMException, "not a string");
    return *text;
}

TVMAddress VirtualMachine::newString(const OString& text) {
    return heap.allocateNativeWithCell(std::make_unique<OString>(text), GC_CODE_STRING).second;
}

void VirtualMachine::unknownNativeFunction(const char* prefix) {
    throwError(EVMException, (std::string(prefix) + std::to_string(pc)).c_str());
}

void VirtualMachine::callNative(TInt32 group, TInt32 function) {
    switch (group) {
    case 30: return debugNative(function);
    case 32: return systemNative(function);
    default: break;
    }
    const NativeGroupInfo info = nativeGroupInfo(group);
    if (!info.messagePrefix) {
        const std::string message =
            "Internal error: invalid group in native call: " + std::to_string(group);
        fatalError(message.c_str(), pc);
    }
    // Groups whose functions are not available yet answer every function as unknown.
    unknownNativeFunction(info.messagePrefix);
}
