#include "FilePositions.h"

#include "ErrorHandling.h"
#include "NativeObjectCells.h"

#include <string>

template <auto openIn> void seekFile(NativeCall& native, TInt32) {
    FileCall call(native);
    const TInt32 position = call.integer();
    const TVMAddress handle = nonNull(call.word());
    if (position < 0)
        throwError(EInvalidArgument,
                   ("Position is less than zero: " + std::to_string(position)).c_str());
    if (!openIn(call, handle).seek(static_cast<TUint32>(position))) throwError(EIOError);
    call.pop();
}

template <auto openIn> void answerFilePosition(NativeCall& native, TInt32) {
    FileCall call(native);
    call.answer(openIn(call, call.word()).position());
}

template <auto openIn> void answerFileSize(NativeCall& native, TInt32) {
    FileCall call(native);
    call.answer(openIn(call, call.word()).size());
}

template void seekFile<openReaderIn>(NativeCall&, TInt32);
template void seekFile<openWriterIn>(NativeCall&, TInt32);
template void answerFilePosition<openReaderIn>(NativeCall&, TInt32);
template void answerFilePosition<openWriterIn>(NativeCall&, TInt32);
template void answerFileSize<openReaderIn>(NativeCall&, TInt32);
template void answerFileSize<openWriterIn>(NativeCall&, TInt32);
