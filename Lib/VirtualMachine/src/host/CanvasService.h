// Bitmaps and the surfaces that draw on them, as the host makes them.
#pragma once

#include "DrawingSurface.h"
#include "Types.h"
#include "VMBitmap.h"

#include <memory>
#include <span>

class CanvasService {
public:
    virtual ~CanvasService() = default;
    // A new bitmap of that size (each side 1 to kLargestBitmapSide) filled with the colour.
    // Pixels beyond the application's memory budget raise std::bad_alloc.
    virtual std::unique_ptr<VMBitmap> makeBitmap(TInt32 width, TInt32 height, TUint32 colour) = 0;
    // The picture the bytes hold in an image file format the host reads, or null when
    // they hold none (unknown format, damaged or truncated data, a size of 0 or beyond
    // kLargestBitmapSide).
    virtual std::unique_ptr<VMBitmap> decodeImage(std::span<const TUint8> bytes) = 0;
    // A surface drawing on the bitmap, or null when the bitmap is not one of this host's.
    // A bitmap of width or height 0 raises VMException "GraphicsContainer: invalid bitmap".
    virtual std::unique_ptr<DrawingSurface> drawOn(VMBitmap& bitmap) = 0;
    // Told before (false) and after (true) a bitmap is encoded.
    virtual void bitmapRequest(bool done) = 0;
};
