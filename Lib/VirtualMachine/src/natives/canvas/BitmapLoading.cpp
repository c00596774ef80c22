#include "BitmapLoading.h"

#include "CanvasHandle.h"
#include "ErrorHandling.h"
#include "ImageFiles.h"

#include <utility>

std::unique_ptr<VMBitmap> loadBitmapFile(const HostServices& host, const OString& path) {
    return host.canvases->decodeImage(readImageFile(*host.files, path));
}

const std::vector<TUint8>& nonEmpty(const std::vector<TUint8>& bytes) {
    if (bytes.empty()) throwError(EInvalidArgument, "byte[] is empty");
    return bytes;
}

std::unique_ptr<VMBitmap> decodeBitmapBytes(const HostServices& host,
                                            const std::vector<TUint8>& bytes) {
    return host.canvases->decodeImage(nonEmpty(bytes));
}

TVMAddress handleForLoaded(VMHeap& heap, std::unique_ptr<VMBitmap> picture, const char* failure) {
    if (!picture) throwError(EInvalidArgument, failure);
    return makeBitmapHandle(heap, std::move(picture));
}
