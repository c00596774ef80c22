#include "GraphicsContainer.h"

#include "ErrorHandling.h"

#include <QColor>
#include <QFont>
#include <utility>

// A device that another painter draws on already cannot be drawn on: the surface then
// starts as ended.
GraphicsContainer::GraphicsContainer(QSharedPointer<QPaintDevice> device) {
    if (!targetPainter.begin(device.get())) return;
    target = device.get();
    deviceHolder = std::move(device);
    QFont font = targetPainter.font();
    font.setPixelSize(40);
    targetPainter.setFont(font);
    targetPainter.setRenderHint(QPainter::Antialiasing, false);
    targetPainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

GraphicsContainer::~GraphicsContainer() {
    endDrawing();
}

std::unique_ptr<GraphicsContainer> GraphicsContainer::onBitmap(QSharedPointer<QPixmap> pixmap) {
    if (pixmap->width() == 0 || pixmap->height() == 0)
        throwError(EVMException, "GraphicsContainer: invalid bitmap");
    return std::make_unique<GraphicsContainer>(std::move(pixmap));
}

void GraphicsContainer::endDrawing() {
    if (!target) return;
    targetPainter.end();
    target = nullptr;
    deviceHolder.reset();
}

// A negative width or height counts from the other side, as in Qt's rectangles; only the
// part on the device goes to Qt.
void GraphicsContainer::fillRectangle(TInt32 x, TInt32 y, TInt32 width, TInt32 height,
                                      TUint32 colour) {
    if (!target) return;
    const QRectF area = QRectF(x, y, width, height).normalized().intersected(deviceArea());
    if (!area.isEmpty()) targetPainter.fillRect(area, QColor::fromRgba(colour));
}
