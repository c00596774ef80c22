// The file-writer native group 22: opening a file for writing into a stream handle,
// emptying it or appending to it, and its position and size.
#include "ErrorHandling.h"
#include "FilePositions.h"
#include "VirtualMachine.h"

void VirtualMachine::fileWriterNative(TInt32 function) {
    FileCall call(NativeCall(*this, 22));
    if (function == 1) {
        const bool append = call.flag();
        const FileToOpen file = fileToOpen(call);
        std::unique_ptr<KESTRO::OutputStream> stream =
            call.files.openOutputFile(file.path, !append);
        if (!stream) throwError(EIOError);
        storeHolder(call, file.handle, std::make_unique<StreamHolder>(std::move(stream)));
        return call.pop();
    }
    if (!filePositionNative(call, function, openWriterIn)) unknownNativeFunction("FileWriter:");
}
