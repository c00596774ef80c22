#include "PixelMemory.h"

TUint64 pixelBytes(QSize size) {
    return static_cast<TUint64>(std::max(size.width(), 0)) *
           static_cast<TUint64>(std::max(size.height(), 0)) * 4;
}

void ChargedPixmapDeleter::operator()(QPixmap* pixmap) const {
    delete pixmap;
    MemoryBudget::release(bytes);
}
