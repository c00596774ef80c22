// The output-stream native group 21: closing a stream, its open state, and writing a
// byte array, or a range of it, to a file writer.
#include "CheckRange.h"
#include "ErrorHandling.h"
#include "StreamState.h"
#include "VirtualMachine.h"

#include <vector>

namespace {

void write(KESTRO::OutputStream& stream, const std::vector<TUint8>& bytes) {
    if (bytes.empty()) return;
    if (!stream.write(bytes.data(), static_cast<TUint32>(bytes.size()))) throwError(EIOError);
}

void writeArray(FileCall& call) {
    const OVector array = call.array();
    KESTRO::OutputStream& stream = openWriterIn(call, call.word());
    write(stream, allBytesOf(array));
}

// The range is checked before the handle.
void writeRange(FileCall& call) {
    const OVector array = call.array();
    TInt32 count = call.integer();
    const TInt32 first = call.integer();
    const TVMAddress handle = call.word();
    checkRange(0, array.size(), first, count);
    KESTRO::OutputStream& stream = openWriterIn(call, handle);
    write(stream, count == 0 ? std::vector<TUint8>() : array.elementBytes(first, count));
}

} // namespace

void VirtualMachine::outputStreamNative(TInt32 function) {
    FileCall call(NativeCall(*this, 21));
    if (streamStateNative(call, function)) return;
    switch (function) {
    case 3: writeArray(call); break;
    case 4: writeRange(call); break;
    default: unknownNativeFunction("OutputStream:");
    }
    call.pop();
}
