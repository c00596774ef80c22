// The output-stream native group 21: closing a stream, its open state, and writing a
// byte array, or a range of it, to a file writer.
#include "CheckRange.h"
#include "ErrorHandling.h"
#include "FileCall.h"
#include "NativeGroups.h"
#include "StreamState.h"

#include <vector>

namespace {

void write(KESTRO::OutputStream& stream, const std::vector<TUint8>& bytes) {
    if (bytes.empty()) return;
    if (!stream.write(bytes.data(), static_cast<TUint32>(bytes.size()))) throwError(EIOError);
}

void writeArray(NativeCall& native, TInt32) {
    FileCall call(native);
    const OVector array = call.array();
    KESTRO::OutputStream& stream = openWriterIn(call, call.word());
    write(stream, allBytesOf(array));
    call.pop();
}

// The range is checked before the handle.
void writeRange(NativeCall& native, TInt32) {
    FileCall call(native);
    const OVector array = call.array();
    TInt32 count = call.integer();
    const TInt32 first = call.integer();
    const TVMAddress handle = call.word();
    checkRange(0, array.size(), first, count);
    KESTRO::OutputStream& stream = openWriterIn(call, handle);
    write(stream, count == 0 ? std::vector<TUint8>() : array.elementBytes(first, count));
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "close", closeStream},
    {2, "isOpen", answerStreamOpen},
    {3, "write", writeArray},
    {4, "writeRange", writeRange},
};

} // namespace

constinit const NativeTable kOutputStreamNatives{kFunctions};
