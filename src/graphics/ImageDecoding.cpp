#include "ImageDecoding.h"

#include "MemoryBudget.h"
#include "PixelMemory.h"
#include "VMBitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>

namespace {

bool fitsBitmap(QSize size) {
    return size.width() >= 1 && size.height() >= 1 && size.width() <= kLargestBitmapSide &&
           size.height() <= kLargestBitmapSide;
}

// The size the header declares, invalid when the reader cannot tell before decoding.
// Qt's BMP reader gives the height of a picture stored top-down as the file has it:
// negative.
QSize declaredSize(QImageReader& reader) {
    const QSize size = reader.size();
    if (size.height() >= 0 || reader.format() != "bmp") return size;
    const TInt64 height = -static_cast<TInt64>(size.height());
    return {size.width(), static_cast<int>(std::min<TInt64>(height, INT32_MAX))};
}

// Qt's BMP reader takes pixel data that is cut short for a picture, and leaves the rows
// it did not get as it found them. Given a picture of the declared size and format, it
// fills that one in place; a zeroed one makes those rows black, never leftover memory.
QImage zeroedPicture(QSize size, QImage::Format format) {
    QImage picture(size, format);
    picture.fill(0);
    return picture;
}

} // namespace

void limitImageReaders() {
    constexpr TUint64 kMebibyte = TUint64{1} << 20;
    const QSize largest(kLargestBitmapSide, kLargestBitmapSide);
    QImageReader::setAllocationLimit(static_cast<int>(pixelBytes(largest) / kMebibyte));
}

QImage decodeImageBytes(std::span<const TUint8> bytes) {
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize declared = declaredSize(reader);
    QImage image;
    if (declared.isValid()) {
        if (!fitsBitmap(declared)) return {};
        MemoryBudget::require(pixelBytes(declared));
        if (reader.format() == "bmp") image = zeroedPicture(declared, reader.imageFormat());
    }
    if (!reader.read(&image) || !fitsBitmap(image.size())) return {};
    return image;
}
