#include "MainViewBase.h"

#include "CanvasHandle.h"
#include "GraphicsContainer.h"
#include "HostCall.h"
#include "VirtualMachine.h"

#include <QPaintEvent>
#include <QPainter>

#include <memory>

void MainViewBase::updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) {
    update(presentation().windowRectOf(x, y, width, height));
}

Presentation MainViewBase::presentation() {
    return {size(), backBuffer()->size(), needsRotation()};
}

QSharedPointer<QImage>& MainViewBase::backBuffer() {
    TInt32 width = 0;
    TInt32 height = 0;
    getScreenSize(width, height);
    QSharedPointer<QImage>& buffer = width > height ? landscapeBuffer : portraitBuffer;
    if (!buffer) {
        buffer = QSharedPointer<QImage>::create(width, height, QImage::Format_RGB32);
        buffer->fill(Qt::black);
    }
    return buffer;
}

// Nothing at all happens before the machine exists.
void MainViewBase::paintEvent(QPaintEvent* event) {
    VirtualMachine* machine = currentVirtualMachine();
    if (!machine) return;
    const auto start = std::chrono::steady_clock::now();
    const Presentation shown = presentation();
    letApplicationDraw(*machine, shown.bufferRegionOf(event->region()));
    lastDraw = std::chrono::steady_clock::now() - start;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    for (const QRect& bar : event->region() - shown.pictureRect())
        painter.fillRect(bar, Qt::black);
    painter.setTransform(shown.bufferToWindow());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, shown.smooth());
    painter.drawImage(0, 0, *backBuffer());
}

void MainViewBase::letApplicationDraw(VirtualMachine& machine, const QRegion& dirty) {
    QSharedPointer<QImage>& buffer = backBuffer();
    // A canvas kept from an earlier draw call still paints on the buffer, and a buffer
    // takes one painter at a time: that canvas goes on painting a copy nobody shows.
    if (buffer->paintingActive()) buffer = QSharedPointer<QImage>::create(buffer->copy());
    auto surface = std::make_unique<GraphicsContainer>(buffer);
    surface->painter().setClipRegion(dirty);
    const auto start = std::chrono::steady_clock::now();
    runHostCall([&] {
        const TVMAddress canvas = makeScreenCanvas(machine.getHeap(), std::move(surface));
        machine.deliverEvent(EHandleDraw, {canvas});
    });
    overlay.drawEnded(std::chrono::steady_clock::now() - start, machine.lastCollectionPause());
}
