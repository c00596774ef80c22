// The encoder native group 28: text to UTF-8 bytes and back. Each result replaces its
// operand.
#include "NativeGroups.h"
#include "OString.h"
#include "vector/ArrayCall.h"

#include <vector>

namespace {

void toUtf8(NativeCall& call, TInt32) {
    const Vec<TUint8> bytes = call.string().toUtf8();
    call.answer(
        OVector::createByteArray(call.heap(), std::vector<TUint8>(bytes.begin(), bytes.end())));
}

void fromUtf8(NativeCall& native, TInt32) {
    ArrayCall<ByteElement> call(native, true);
    const std::vector<TUint8> bytes = allBytesOf(call.array());
    const OString text = OString::fromUtf8(bytes.data(), static_cast<TInt32>(bytes.size()));
    call.answer(call.newString(text));
}

constexpr NativeFunction kFunctions[] = {
    {1, "toUtf8", toUtf8},
    {2, "fromUtf8", fromUtf8},
};

} // namespace

constinit const NativeTable kEncoderNatives{kFunctions};
