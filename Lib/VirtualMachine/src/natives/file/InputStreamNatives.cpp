// The input-stream native group 23: closing a stream, its open state, and reading bytes
// from a file reader into a new byte array.
#include "ErrorHandling.h"
#include "FileCall.h"
#include "NativeGroups.h"
#include "OVector.h"
#include "StreamState.h"

#include <vector>

namespace {

TUint32 remainingBytes(KESTRO::InputStream& stream) {
    const TUint32 size = stream.size();
    const TUint32 position = stream.position();
    return size > position ? size - position : 0;
}

// A new byte array of `count` (at least 1) bytes read from the stream. Fewer bytes than that raise
// IOException; when the file is known to be too short, before the array is made, so that
// no count can ask for more memory than the file holds.
TVMAddress readBytes(FileCall& call, KESTRO::InputStream& stream, TInt32 count) {
    const auto wanted = static_cast<TUint32>(count);
    if (wanted > remainingBytes(stream)) throwError(EIOError);
    const TVMAddress variable = OVector::createByteArray(call.heap(), std::vector<TUint8>(wanted));
    const OVector array(call.heap(), call.memory().load32(variable));
    auto* bytes = static_cast<TUint8*>(call.memory().hostPointer(array.storageAddress(), wanted));
    if (!stream.read(bytes, wanted)) throwError(EIOError);
    return variable;
}

void readArray(NativeCall& native, TInt32) {
    FileCall call(native);
    const TInt32 count = call.integer();
    const TVMAddress handle = call.word();
    if (count < 0) throwError(EInvalidArgument, "The number of bytes should be non-negative");
    KESTRO::InputStream& stream = openReaderIn(call, handle);
    call.answer(count == 0 ? OVector::createByteArray(call.heap(), {})
                           : readBytes(call, stream, count));
}

constexpr NativeFunction kFunctions[] = {
    {1, "close", closeStream},
    {2, "isOpen", answerStreamOpen},
    {3, "read", readArray},
};

} // namespace

constinit const NativeTable kInputStreamNatives{kFunctions};
