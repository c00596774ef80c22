#include "ImageFiles.h"

#include "ErrorHandling.h"
#include "MemoryBudget.h"
#include "Stream.h"

#include <memory>

std::vector<TUint8> readImageFile(FileSystemServices& files, const OString& path) {
    if (path.length() == 0) throwError(EInvalidArgument, "Filename is empty");
    const std::unique_ptr<KESTRO::InputStream> stream = files.openInputFile(path);
    if (!stream) {
        OString message("Could not open file: ");
        message.append(path);
        throwError(EIOError, message);
    }
    const TUint32 size = stream->size();
    if (size == 0) throwError(EInvalidArgument, "File is empty");
    MemoryBudget::require(size);
    std::vector<TUint8> bytes(size);
    if (!stream->read(bytes.data(), size)) throwError(EIOError);
    return bytes;
}
