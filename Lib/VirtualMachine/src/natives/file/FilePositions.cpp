#include "FilePositions.h"

#include "ErrorHandling.h"
#include "NativeObjectCells.h"

#include <string>

namespace {

template <class Stream> void seek(FileCall& call, Stream& (*openIn)(FileCall&, TVMAddress)) {
    const TInt32 position = call.integer();
    const TVMAddress handle = nonNull(call.word());
    if (position < 0)
        throwError(EInvalidArgument,
                   ("Position is less than zero: " + std::to_string(position)).c_str());
    if (!openIn(call, handle).seek(static_cast<TUint32>(position))) throwError(EIOError);
    call.pop();
}

} // namespace

template <class Stream>
bool filePositionNative(FileCall& call, TInt32 function, Stream& (*openIn)(FileCall&, TVMAddress)) {
    switch (function) {
    case 2: seek(call, openIn); return true;
    case 3: call.answer(openIn(call, call.word()).position()); return true;
    case 4: call.answer(openIn(call, call.word()).size()); return true;
    default: return false;
    }
}

template bool filePositionNative(FileCall&, TInt32,
                                 KESTRO::InputStream& (*)(FileCall&, TVMAddress));
template bool filePositionNative(FileCall&, TInt32,
                                 KESTRO::OutputStream& (*)(FileCall&, TVMAddress));
