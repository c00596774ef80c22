#include "Presentation.h"

#include <algorithm>
#include <cmath>

namespace {

// A smoothed pixel blends its neighbours, so a change reaches one pixel further.
constexpr int kSmoothingReach = 1;

QRect grown(const QRect& rect, int by) {
    return rect.adjusted(-by, -by, by, by);
}

} // namespace

Presentation::Presentation(QSize aWindow, QSize backBuffer, bool rotated)
    : window(aWindow), buffer(QPoint(0, 0), backBuffer),
      picture(rotated ? backBuffer.transposed() : backBuffer) {
    if (picture.isEmpty() || window.isEmpty()) return;
    const double scale = std::min(double(window.width()) / picture.width(),
                                  double(window.height()) / picture.height());
    const QSize scaled(std::max(1, int(std::lround(picture.width() * scale))),
                       std::max(1, int(std::lround(picture.height() * scale))));
    shown = QRect(
        QPoint((window.width() - scaled.width()) / 2, (window.height() - scaled.height()) / 2),
        scaled);
    smoothed = scale != std::floor(scale);
    transform.translate(shown.x(), shown.y());
    transform.scale(double(scaled.width()) / picture.width(),
                    double(scaled.height()) / picture.height());
    if (rotated) {
        // Back-buffer point (x, y) becomes picture point (y, picture height - x).
        transform.translate(0, picture.height());
        transform.rotate(-90);
    }
    inverse = transform.inverted();
}

QRect Presentation::windowRectOf(double x, double y, double width, double height) const {
    if (shown.isEmpty() || width <= 0 || height <= 0) return {};
    const QRectF area = QRectF(x, y, width, height) & QRectF(buffer);
    if (area.isEmpty()) return {};
    const QRect mapped = transform.mapRect(area).toAlignedRect();
    return smoothed ? grown(mapped, kSmoothingReach) & QRect(QPoint(0, 0), window) : mapped;
}

QRegion Presentation::bufferRegionOf(const QRegion& windowRegion) const {
    QRegion result;
    if (shown.isEmpty()) return result;
    for (const QRect& rect : windowRegion) {
        const QRectF inside = QRectF(rect) & QRectF(shown);
        if (inside.isEmpty()) continue;
        const QRect area = inverse.mapRect(inside).toAlignedRect();
        result += (smoothed ? grown(area, kSmoothingReach) : area) & buffer;
    }
    return result;
}

std::optional<QPoint> Presentation::picturePointOf(QPointF windowPoint) const {
    if (shown.isEmpty()) return std::nullopt;
    const double scaleX = double(shown.width()) / picture.width();
    const double scaleY = double(shown.height()) / picture.height();
    const QPoint point(int(std::floor((windowPoint.x() - shown.x()) / scaleX)),
                       int(std::floor((windowPoint.y() - shown.y()) / scaleY)));
    if (!QRect(QPoint(0, 0), picture).contains(point)) return std::nullopt;
    return point;
}
