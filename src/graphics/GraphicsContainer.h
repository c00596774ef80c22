// A drawing surface of this host: a painter on the back buffer or on a bitmap's pixmap.
// Drawing starts when the surface is made, with the font at pixel size 40 and without
// antialiasing or smooth pixmap transformation, and lasts until it is ended or the
// surface is destroyed.
#pragma once

#include "DrawingSurface.h"
#include "KestroFont.h"

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
    void fillRectangle(TInt32 x, TInt32 y, TInt32 width, TInt32 height, TUint32 colour) override;
    void drawLine(SurfacePoint from, SurfacePoint to, TUint32 colour) override;
    void drawBitmap(VMBitmap& bitmap, SurfacePoint at, TInt32 opacity) override;
    void drawBitmapRegion(VMBitmap& bitmap, SurfacePoint at, BitmapRectangle source,
                          TInt32 opacity) override;
    void tileBitmap(VMBitmap& bitmap, BitmapRectangle area, SurfacePoint origin) override;
    void drawBitmapTurned(VMBitmap& bitmap, SurfacePoint centre, PictureTurn turn,
                          TInt32 opacity) override;
    void drawText(TextRun run, SurfacePoint at, TUint32 colour, CAppsFont& font) override;
    bool isDrawing() const { return target != nullptr; }
    // The painter, active while drawing lasts.
    QPainter& painter() { return targetPainter; }

private:
    QRectF deviceArea() const;
    // The source region of the picture, unscaled, its top-left corner at `at`.
    void drawUnscaled(const QPixmap& picture, QPointF at, QRectF source);
    void drawBitmapText(TextRun run, SurfacePoint at, TUint32 colour, KestroFont& font);

    QPaintDevice* target = nullptr; // null once drawing has ended
    QPainter targetPainter;
    QSharedPointer<QPaintDevice> deviceHolder;
};
