#include "QtCanvasService.h"

#include "BitmapContainer.h"
#include "GraphicsContainer.h"
#include "ImageDecoding.h"
#include "PixelMemory.h"

#include <utility>

QtCanvasService::QtCanvasService() {
    limitImageReaders();
}

std::unique_ptr<VMBitmap> QtCanvasService::makeBitmap(TInt32 width, TInt32 height, TUint32 colour) {
    const QSize size(width, height);
    auto bitmap =
        std::make_unique<BitmapContainer>(chargedPixmap(size, [size] { return QPixmap(size); }));
    bitmap->fill(colour);
    return bitmap;
}

std::unique_ptr<VMBitmap> QtCanvasService::decodeImage(std::span<const TUint8> bytes) {
    QImage image = decodeImageBytes(bytes);
    if (image.isNull()) return nullptr;
    return std::make_unique<BitmapContainer>(
        chargedPixmap(image.size(), [&image] { return QPixmap::fromImage(std::move(image)); }));
}

std::unique_ptr<DrawingSurface> QtCanvasService::drawOn(VMBitmap& bitmap) {
    auto* container = dynamic_cast<BitmapContainer*>(&bitmap);
    if (!container) return nullptr;
    return GraphicsContainer::onBitmap(container->drawable());
}
