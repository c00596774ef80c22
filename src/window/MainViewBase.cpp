#include "MainViewBase.h"

#include "VirtualMachine.h"

#include <QPaintEvent>
#include <QPainter>

void MainViewBase::updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) {
    update(presentation().windowRectOf(x, y, width, height));
}

Presentation MainViewBase::presentation() {
    return {size(), backBuffer().size(), needsRotation()};
}

QImage& MainViewBase::backBuffer() {
    TInt32 width = 0;
    TInt32 height = 0;
    getScreenSize(width, height);
    QImage& buffer = width > height ? landscapeBuffer : portraitBuffer;
    if (buffer.isNull()) {
        buffer = QImage(width, height, QImage::Format_RGB32);
        buffer.fill(Qt::black);
    }
    return buffer;
}

// Nothing at all happens before the machine exists.
void MainViewBase::paintEvent(QPaintEvent* event) {
    if (!currentVirtualMachine()) return;
    const Presentation shown = presentation();
    QPainter painter(this);
    painter.setClipRegion(event->region());
    for (const QRect& bar : event->region() - shown.pictureRect())
        painter.fillRect(bar, Qt::black);
    painter.setTransform(shown.bufferToWindow());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, shown.smooth());
    painter.drawImage(0, 0, backBuffer());
}
