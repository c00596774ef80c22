// The file-writer native group 22: opening a file for writing into a stream handle,
// emptying it or appending to it, and its position and size.
#include "ErrorHandling.h"
#include "FilePositions.h"
#include "NativeGroups.h"

namespace {

void open(NativeCall& native, TInt32) {
    FileCall call(native);
    const bool append = call.flag();
    const FileToOpen file = fileToOpen(call);
    std::unique_ptr<KESTRO::OutputStream> stream = call.files.openOutputFile(file.path, !append);
    if (!stream) throwError(EIOError);
    storeHolder(call, file.handle, std::make_unique<StreamHolder>(std::move(stream)));
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "open", open},
    {2, "seek", seekFile<openWriterIn>},
    {3, "position", answerFilePosition<openWriterIn>},
    {4, "size", answerFileSize<openWriterIn>},
};

} // namespace

constinit const NativeTable kFileWriterNatives{kFunctions};
