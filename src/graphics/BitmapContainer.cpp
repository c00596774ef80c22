#include "BitmapContainer.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>

#include <utility>

BitmapContainer::BitmapContainer(QSharedPointer<QPixmap> picture) : pixmap(std::move(picture)) {}

void BitmapContainer::encode(std::vector<TUint8>& out, std::string_view format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QByteArray formatName(format.data(), static_cast<qsizetype>(format.size()));
    const bool written = image.isNull() ? pixmap->save(&buffer, formatName.constData(), -1)
                                        : image.save(&buffer, formatName.constData(), -1);
    if (written) out.insert(out.end(), bytes.cbegin(), bytes.cend());
}

void BitmapContainer::scaleFrom(VMBitmap& source, TInt32 mode) {
    auto* from = dynamic_cast<BitmapContainer*>(&source);
    if (!from) return;
    replacePicture(from->scaled(pixmap->size(),
                                mode == 0 ? Qt::FastTransformation : Qt::SmoothTransformation));
}

void BitmapContainer::copyRegion(VMBitmap& source, BitmapRectangle region) {
    auto* from = dynamic_cast<BitmapContainer*>(&source);
    if (!from) return;
    replacePicture(from->region(QRect(region.x, region.y, region.width, region.height)));
}

void BitmapContainer::fill(TUint32 colour) {
    if (qAlpha(colour) == 255) {
        toDrawableForm();
        pixmap->fill(QColor::fromRgba(colour));
    } else {
        toPixelAccessForm();
        image.fill(colour);
    }
}

TUint32 BitmapContainer::getPixel(TInt32 x, TInt32 y) {
    toPixelAccessForm();
    return image.valid(x, y) ? image.pixel(x, y) : 0;
}

void BitmapContainer::setPixel(TInt32 x, TInt32 y, TUint32 colour) {
    toPixelAccessForm();
    if (image.valid(x, y)) image.setPixel(x, y, colour);
}

BitmapSize BitmapContainer::size() const {
    return {pixmap->width(), pixmap->height()};
}

int BitmapContainer::outsideHeapSize() const {
    return static_cast<int>(pixelBytes(pixmap->size()) + imageCharge.charged());
}

QSharedPointer<QPixmap> BitmapContainer::drawable() {
    toDrawableForm();
    return pixmap;
}

// A new pixmap made from the image replaces the pixmap, which goes with its last holder.
void BitmapContainer::toDrawableForm() {
    if (image.isNull()) return;
    replacePicture(chargedPixmap(image.size(), [this] { return QPixmap::fromImage(image); }));
}

void BitmapContainer::toPixelAccessForm() {
    if (!image.isNull()) return;
    PixelCharge charge(pixmap->size());
    image = pixmap->toImage().convertToFormat(QImage::Format_ARGB32);
    imageCharge = std::move(charge);
}

void BitmapContainer::replacePicture(QSharedPointer<QPixmap> picture) {
    pixmap = std::move(picture);
    image = QImage();
    imageCharge = PixelCharge();
}

QSharedPointer<QPixmap> BitmapContainer::scaled(QSize size, Qt::TransformationMode mode) const {
    return chargedPixmap(size, [&] {
        return image.isNull() ? pixmap->scaled(size, Qt::IgnoreAspectRatio, mode)
                              : QPixmap::fromImage(image.scaled(size, Qt::IgnoreAspectRatio, mode));
    });
}

QSharedPointer<QPixmap> BitmapContainer::region(QRect rectangle) const {
    return chargedPixmap(rectangle.size(), [&] {
        return image.isNull() ? pixmap->copy(rectangle) : QPixmap::fromImage(image.copy(rectangle));
    });
}
