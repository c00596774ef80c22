#include "GraphicsContainer.h"

#include "ErrorHandling.h"

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
