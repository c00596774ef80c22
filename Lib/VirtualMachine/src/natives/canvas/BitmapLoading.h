// Bitmaps loaded from application files and from bytes, for the Bitmap and System natives.
#pragma once

#include "HostServices.h"
#include "OString.h"
#include "VMBitmap.h"
#include "VMHeap.h"

#include <memory>
#include <vector>

// The picture in the application file, or null when it holds none the host reads; the
// file's own failures raise the errors of readImageFile.
std::unique_ptr<VMBitmap> loadBitmapFile(const HostServices& host, const OString& path);
// The bytes; no bytes raise InvalidArgumentException "byte[] is empty".
const std::vector<TUint8>& nonEmpty(const std::vector<TUint8>& bytes);
// The picture in the bytes, or null when they hold none the host reads; no bytes raise
// InvalidArgumentException "byte[] is empty".
std::unique_ptr<VMBitmap> decodeBitmapBytes(const HostServices& host,
                                            const std::vector<TUint8>& bytes);
// A new bitmap handle holding the picture; no picture raises InvalidArgumentException
// with the message `failure`.
TVMAddress handleForLoaded(VMHeap& heap, std::unique_ptr<VMBitmap> picture, const char* failure);
