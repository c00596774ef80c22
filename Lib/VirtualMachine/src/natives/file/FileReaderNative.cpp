// The file-reader native group 24: opening a file for reading into a stream handle, and
// its position and size.
#include "ErrorHandling.h"
#include "FilePositions.h"
#include "VirtualMachine.h"

void VirtualMachine::fileReaderNative(TInt32 function) {
    FileCall call(NativeCall(*this, 24));
    if (function == 1) {
        const FileToOpen file = fileToOpen(call);
        std::unique_ptr<KESTRO::InputStream> stream = call.files.openInputFile(file.path);
        if (!stream) {
            OString message("Could not open file: ");
            message.append(file.path);
            throwError(EIOError, message);
        }
        storeHolder(call, file.handle, std::make_unique<StreamHolder>(std::move(stream)));
        return call.pop();
    }
    if (!filePositionNative(call, function, openReaderIn)) unknownNativeFunction("FileReader:");
}
