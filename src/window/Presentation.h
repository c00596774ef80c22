// How the back buffer appears in the window. The application always draws a picture of the
// device's screen size; the window shows it turned by 90 degrees when a portrait picture
// meets a landscape window, scaled to fit with its aspect kept, centred between black
// bars. Whole scale factors keep pixels sharp (nearest neighbour); other factors are
// smoothed. In a window of exactly the picture's size the picture is copied as it is.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QTransform>

#include <optional>

class Presentation {
public:
    Presentation(QSize window, QSize backBuffer, bool rotated);

    // The picture as the device's window showed it: the back buffer, turned when rotated.
    QSize pictureSize() const { return picture; }
    // Where the scaled picture lies in the window; the rest of the window is bars.
    QRect pictureRect() const { return shown; }
    // Maps back-buffer points to window points.
    const QTransform& bufferToWindow() const { return transform; }
    bool smooth() const { return smoothed; }

    // The window rectangle that shows a back-buffer rectangle (x, y, width, height); empty
    // for an empty rectangle or one outside the back buffer.
    QRect windowRectOf(double x, double y, double width, double height) const;
    // The back-buffer area that a window region shows, within the back buffer.
    QRegion bufferRegionOf(const QRegion& windowRegion) const;
    // The picture point that a window point shows (scale and offset undone, the rotation
    // kept), or nothing for a point in the bars.
    std::optional<QPoint> picturePointOf(QPointF windowPoint) const;

private:
    QSize window;
    QRect buffer;
    QSize picture;
    QRect shown;
    QTransform transform;
    QTransform inverse;
    bool smoothed = false;
};
