// A bitmap of this host. The picture has two forms: a pixmap, which is what is drawn and
// drawn on, and an ARGB32 image, for reading and writing single pixels exactly. Exactly
// one form is current: while the image exists it holds the newest pixels and the pixmap
// is stale. Each operation first switches to the form it needs.
#pragma once

#include "PixelMemory.h"
#include "VMBitmap.h"

#include <QImage>
#include <QPixmap>
#include <QSharedPointer>

class BitmapContainer : public VMBitmap {
public:
    // Holds a charged pixmap (chargedPixmap) of at least one pixel.
    explicit BitmapContainer(QSharedPointer<QPixmap> picture);

    void encode(std::vector<TUint8>& out, std::string_view format) override;
    void scaleFrom(VMBitmap& source, TInt32 mode) override;
    void copyRegion(VMBitmap& source, BitmapRectangle region) override;
    void fill(TUint32 colour) override;
    TUint32 getPixel(TInt32 x, TInt32 y) override;
    void setPixel(TInt32 x, TInt32 y, TUint32 colour) override;
    BitmapSize size() const override;
    int outsideHeapSize() const override;

    // The picture as a pixmap, to draw it or to draw on it; a surface that draws on it
    // keeps it alive.
    QSharedPointer<QPixmap> drawable();

private:
    void toDrawableForm();
    void toPixelAccessForm();
    // Makes the pixmap the picture, dropping the image.
    void replacePicture(QSharedPointer<QPixmap> picture);
    // The current picture scaled, or a region of it, as a new charged pixmap.
    QSharedPointer<QPixmap> scaled(QSize size, Qt::TransformationMode mode) const;
    QSharedPointer<QPixmap> region(QRect rectangle) const;

    QSharedPointer<QPixmap> pixmap;
    QImage image; // QImage::Format_ARGB32; null except in pixel-access form
    PixelCharge imageCharge;
};
