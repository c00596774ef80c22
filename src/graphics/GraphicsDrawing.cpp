// What a surface draws. Positions and sizes come from the application, anywhere in the
// int range: pictures drawn unscaled are cut to the device before Qt sees them, so that
// Qt's integer rectangles stay far from overflowing, and nothing off the device costs
// anything.
#include "BitmapContainer.h"
#include "GraphicsContainer.h"
#include "KestroFont.h"
#include "TextUnits.h"

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QtDebug>

#include <cmath>

namespace {

// Larger than any canvas: text boxes of this size never cut the text.
constexpr double kTextBox = 32768;
constexpr TInt32 kOpaque = 255;

// The bitmap's pixmap, kept alive while it is drawn; null, with a warning, for a bitmap
// that is not this host's.
QSharedPointer<QPixmap> pictureOf(VMBitmap& bitmap) {
    auto* container = dynamic_cast<BitmapContainer*>(&bitmap);
    if (container) return container->drawable();
    qWarning("Null BitmapContainer");
    return {};
}

// Draws with the opacity for the scope's lifetime, the painter's state saved around it.
class OpacityScope {
public:
    OpacityScope(QPainter& aPainter, TInt32 opacity)
        : painter(aPainter), saved(opacity != kOpaque) {
        if (!saved) return;
        painter.save();
        painter.setOpacity(opacity / 255.0);
    }
    ~OpacityScope() {
        if (saved) painter.restore();
    }
    OpacityScope(const OpacityScope&) = delete;
    OpacityScope& operator=(const OpacityScope&) = delete;

private:
    QPainter& painter;
    const bool saved;
};

QPointF pointOf(SurfacePoint point) {
    return {static_cast<double>(point.x), static_cast<double>(point.y)};
}

QRectF rectangleOf(BitmapRectangle rectangle) {
    return {static_cast<double>(rectangle.x), static_cast<double>(rectangle.y),
            static_cast<double>(rectangle.width), static_cast<double>(rectangle.height)};
}

// The remainder of a divided by b (b > 0), from 0 to b - 1.
double wrapped(double a, double b) {
    const double remainder = std::fmod(a, b);
    return remainder < 0 ? remainder + b : remainder;
}

} // namespace

QRectF GraphicsContainer::deviceArea() const {
    return {0, 0, static_cast<double>(target->width()), static_cast<double>(target->height())};
}

void GraphicsContainer::drawUnscaled(const QPixmap& picture, QPointF at, QRectF source) {
    const QRectF area(at, source.size());
    const QRectF visible = area.intersected(deviceArea());
    if (visible.isEmpty()) return;
    targetPainter.drawPixmap(visible, picture,
                             QRectF(source.topLeft() + (visible.topLeft() - at), visible.size()));
}

// Glyph after glyph from the top-left corner, skipping characters without one.
void GraphicsContainer::drawBitmapText(TextRun run, SurfacePoint at, TUint32 colour,
                                       KestroFont& font) {
    const QPixmap& glyphs = font.glyphsIn(colour);
    const OpacityScope opacity(targetPainter, static_cast<TInt32>(colour >> 24));
    const double height = font.height();
    double x = at.x;
    for (char16_t unit : run.text.view().substr(run.first, run.length)) {
        const Glyph glyph = font.glyph(unit);
        if (glyph.width == 0) continue;
        drawUnscaled(glyphs, {x, static_cast<double>(at.y)},
                     QRectF(glyph.x, 0, glyph.width, height));
        x += glyph.width;
    }
}

void GraphicsContainer::drawLine(SurfacePoint from, SurfacePoint to, TUint32 colour) {
    if (!target) return;
    targetPainter.setPen(QColor::fromRgba(colour));
    targetPainter.drawLine(QLineF(pointOf(from), pointOf(to)));
}

void GraphicsContainer::drawBitmap(VMBitmap& bitmap, SurfacePoint at, TInt32 opacity) {
    const QSharedPointer<QPixmap> picture = pictureOf(bitmap);
    if (!target || !picture) return;
    const OpacityScope scope(targetPainter, opacity);
    drawUnscaled(*picture, pointOf(at), picture->rect());
}

void GraphicsContainer::drawBitmapRegion(VMBitmap& bitmap, SurfacePoint at, BitmapRectangle source,
                                         TInt32 opacity) {
    const QSharedPointer<QPixmap> picture = pictureOf(bitmap);
    if (!target || !picture) return;
    if (source.width <= 0 || source.height <= 0) return;
    const OpacityScope scope(targetPainter, opacity);
    drawUnscaled(*picture, pointOf(at), rectangleOf(source));
}

// Qt's offset is the pixmap point at the area's corner: the negated origin, taken where
// the area meets the device and reduced to the pixmap's size.
void GraphicsContainer::tileBitmap(VMBitmap& bitmap, BitmapRectangle area, SurfacePoint origin) {
    const QSharedPointer<QPixmap> picture = pictureOf(bitmap);
    if (!target || !picture) return;
    const QRectF whole = rectangleOf(area);
    const QRectF visible = whole.intersected(deviceArea());
    if (visible.isEmpty()) return;
    const QPointF shift = visible.topLeft() - whole.topLeft() - pointOf(origin);
    targetPainter.drawTiledPixmap(
        visible, *picture,
        {wrapped(shift.x(), picture->width()), wrapped(shift.y(), picture->height())});
}

void GraphicsContainer::drawBitmapTurned(VMBitmap& bitmap, SurfacePoint centre, PictureTurn turn,
                                         TInt32 opacity) {
    const QSharedPointer<QPixmap> picture = pictureOf(bitmap);
    if (!target || !picture) return;
    targetPainter.save();
    if (opacity != kOpaque) targetPainter.setOpacity(opacity / 255.0);
    targetPainter.translate(pointOf(centre));
    targetPainter.rotate(-turn.degrees);
    targetPainter.scale(turn.scaleX, turn.scaleY);
    targetPainter.translate(-picture->width() / 2.0, -picture->height() / 2.0);
    targetPainter.drawPixmap(0, 0, *picture);
    targetPainter.restore();
}

// A native font's text is drawn in the painter's current font; the font only chooses how.
void GraphicsContainer::drawText(TextRun run, SurfacePoint at, TUint32 colour, CAppsFont& font) {
    if (!target) return;
    if (auto* bitmapFont = dynamic_cast<KestroFont*>(&font))
        return drawBitmapText(run, at, colour, *bitmapFont);
    if (!deviceArea().intersects(QRectF(at.x, at.y, kTextBox, kTextBox))) return;
    targetPainter.setPen(QColor::fromRgba(colour));
    targetPainter.drawText(QRectF(at.x, at.y, kTextBox, kTextBox), Qt::AlignLeft | Qt::AlignTop,
                           qtText(run.text, run.first, run.length));
}
