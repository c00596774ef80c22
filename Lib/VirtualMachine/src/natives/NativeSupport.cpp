// What every native group uses: operand slots, strings behind cells, new strings, the
// unknown-function error and the dispatch by group number.
#include "ErrorHandling.h"
#include "NativeGroups.h"
#include "VirtualMachine.h"

#include <utility>

void VirtualMachine::nativeOperandOutsideStack() {
    fatalError("native operand outside the stack", pc);
}

// Null holds no native object, so it is told apart only once the look-up has failed.
OString& VirtualMachine::stringAt(TVMAddress cell) {
    const TVMAddress object = space.load32(cell);
    auto* text = heap.nativeObjectOf<OString>(object);
    if (!text) [[unlikely]] {
        if (object == 0) throwError(ENullPointer, "NULL pointer");
        throwError(EVMException, "not a string");
    }
    return *text;
}

TVMAddress VirtualMachine::newString(OString text) {
    return heap.allocateNativeWithCell(std::make_unique<OString>(std::move(text)), GC_CODE_STRING)
        .second;
}

void VirtualMachine::unknownNativeFunction(const char* prefix) {
    throwError(EVMException, (std::string(prefix) + std::to_string(pc)).c_str());
}

void VirtualMachine::callNative(TInt32 group, TInt32 function) {
    switch (group) {
    case 1: return vectorNative<ObjectWrapper<signed char, 1>>(function, ETrue);
    case 3: return vectorNative<ObjectWrapper<int, 1>>(function, ETrue);
    case 4: return vectorNative<ObjectWrapper<int, 2>>(function, ETrue);
    case 5: return vectorNative<ObjectWrapper<int, 3>>(function, ETrue);
    case 6: return vectorNative<ObjectWrapper<int, 4>>(function, ETrue);
    case 7: return vectorNative<ObjectWrapper<int, 1>>(function, EFalse);
    case 8: return stringNative(function);
    case 9: return byteNative(function);
    case 10: return charNative(function);
    case 11: return fixedNative(function);
    case 12: return longNative(function);
    case 14: return rangeNative(function);
    case 21: return outputStreamNative(function);
    case 22: return fileWriterNative(function);
    case 23: return inputStreamNative(function);
    case 24: return fileReaderNative(function);
    case 25: return fileSystemNative(function);
    case 26: return mathNative(function);
    case 27: return numberNative(function);
    case 28: return encoderNative(function);
    case 29: return dateTimeNative(function);
    case 30: return debugNative(function);
    case 32: return systemNative(function);
    case 33: return timerNative(function);
    case 34: return hashNative(function);
    case 36: return floatNative(function);
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
