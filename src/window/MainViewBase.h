// The window: a full-screen widget that is also the application's screen. It owns the back
// buffer, which has the size the application is told, lets the application draw the
// dirty part of it on each paint, and shows it in the window as the presentation says.
#pragma once

#include "FrameOverlay.h"
#include "Presentation.h"
#include "ScreenService.h"

#include <QImage>
#include <QRegion>
#include <QSharedPointer>
#include <QWidget>

class VirtualMachine;

class MainViewBase : public QWidget, public ScreenService {
public:
    MainViewBase() = default;

    void updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) override;
    // Whether the back buffer's picture is shown turned by 90 degrees.
    virtual bool needsRotation() const = 0;
    // How the back buffer appears in the window as it is now.
    Presentation presentation();
    // A copy of the back buffer: the application's picture at the size it drew it.
    QImage bufferPicture() { return backBuffer()->copy(); }
    void toggleOverlay() { overlay.toggle(); }
    // How long the last paint took from its start to the end of the collection after the
    // application's draw call (the picture not yet shown).
    std::chrono::nanoseconds lastDrawTime() const { return lastDraw; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // One draw call of the application on a screen canvas clipped to that back-buffer
    // region.
    void letApplicationDraw(VirtualMachine& machine, const QRegion& dirty);
    // The back buffer of the screen size the application is told; both start black.
    QSharedPointer<QImage>& backBuffer();

    // A canvas the application keeps may still draw on a buffer after its draw call, so
    // each surface shares its buffer.
    QSharedPointer<QImage> landscapeBuffer;
    QSharedPointer<QImage> portraitBuffer;
    FrameOverlay overlay{this};
    std::chrono::nanoseconds lastDraw{0};
};
