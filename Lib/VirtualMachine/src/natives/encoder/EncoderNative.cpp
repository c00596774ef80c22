// The encoder native group 28: text to UTF-8 bytes and back. Each result replaces its
// operand.
#include "OString.h"
#include "VirtualMachine.h"
#include "vector/ArrayCall.h"

#include <vector>

void VirtualMachine::encoderNative(TInt32 function) {
    switch (function) {
    case 1: {
        NativeCall call(*this, 28);
        const Vec<TUint8> bytes = call.string().toUtf8();
        call.answer(
            OVector::createByteArray(heap, std::vector<TUint8>(bytes.begin(), bytes.end())));
        return;
    }
    case 2: {
        ArrayCall<ByteElement> call(NativeCall(*this, 28), ETrue);
        const std::vector<TUint8> bytes = allBytesOf(call.array());
        const OString text = OString::fromUtf8(bytes.data(), static_cast<TInt32>(bytes.size()));
        call.answer(call.newString(text));
        return;
    }
    default: unknownNativeFunction("Encoder:");
    }
}
