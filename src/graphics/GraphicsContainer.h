// A drawing surface of this host: a painter on the back buffer or on a bitmap's pixmap.
// Drawing starts when the surface is made, with the font at pixel size 40 and without
// antialiasing or smooth pixmap transformation, and lasts until it is ended or the
// surface is destroyed.
#pragma once

#include "DrawingSurface.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QSharedPointer>

#include <memory>

class GraphicsContainer : public DrawingSurface {
public:
    // Draws on the device (the host's back buffer) and keeps it alive while drawing
    // lasts: the application may keep a canvas beyond its draw call, and what the canvas
    // draws on must not go before it.
    explicit GraphicsContainer(QSharedPointer<QPaintDevice> device);
    ~GraphicsContainer() override;
    GraphicsContainer(const GraphicsContainer&) = delete;
    GraphicsContainer& operator=(const GraphicsContainer&) = delete;

    // A surface on a bitmap's pixmap. A pixmap of width or height 0 raises VMException
    // "GraphicsContainer: invalid bitmap".
    static std::unique_ptr<GraphicsContainer> onBitmap(QSharedPointer<QPixmap> pixmap);

    void endDrawing() override;
    bool isDrawing() const { return target != nullptr; }
    // The painter, active while drawing lasts.
    QPainter& painter() { return targetPainter; }

private:
    QPaintDevice* target = nullptr; // null once drawing has ended
    QPainter targetPainter;
    QSharedPointer<QPaintDevice> deviceHolder;
};
