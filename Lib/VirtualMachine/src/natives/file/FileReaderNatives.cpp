// The file-reader native group 24: opening a file for reading into a stream handle, and
// its position and size.
#include "ErrorHandling.h"
#include "FilePositions.h"
#include "NativeGroups.h"

namespace {

void open(NativeCall& native, TInt32) {
    FileCall call(native);
    const FileToOpen file = fileToOpen(call);
    std::unique_ptr<KESTRO::InputStream> stream = call.files.openInputFile(file.path);
    if (!stream) {
        OString message("Could not open file: ");
        message.append(file.path);
        throwError(EIOError, message);
    }
    storeHolder(call, file.handle, std::make_unique<StreamHolder>(std::move(stream)));
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "open", open},
    {2, "seek", seekFile<openReaderIn>},
    {3, "position", answerFilePosition<openReaderIn>},
    {4, "size", answerFileSize<openReaderIn>},
};

} // namespace

constinit const NativeTable kFileReaderNatives{kFunctions};
