// Bitmaps as pixmaps and images, and surfaces as painters on them.
#pragma once

#include "CanvasService.h"

class QtCanvasService : public CanvasService {
public:
    QtCanvasService();

    std::unique_ptr<VMBitmap> makeBitmap(TInt32 width, TInt32 height, TUint32 colour) override;
    std::unique_ptr<VMBitmap> decodeImage(std::span<const TUint8> bytes) override;
    std::unique_ptr<DrawingSurface> drawOn(VMBitmap& bitmap) override;
    // Nothing is asked of this host around encoding.
    void bitmapRequest(bool) override {}
};
