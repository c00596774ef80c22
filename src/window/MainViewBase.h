// The window: a full-screen widget that is also the application's screen. It owns the back
// buffer, which has the size the application is told, and shows it in the window as the
// presentation says.
#pragma once

#include "Presentation.h"
#include "ScreenService.h"

#include <QImage>
#include <QWidget>

class MainViewBase : public QWidget, public ScreenService {
public:
    MainViewBase() = default;

    void updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) override;
    // Whether the back buffer's picture is shown turned by 90 degrees.
    virtual bool needsRotation() const = 0;
    // How the back buffer appears in the window as it is now.
    Presentation presentation();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The back buffer of the screen size the application is told. A surface may still draw
    // on the other one, so neither is ever replaced; both start black.
    QImage& backBuffer();

    QImage landscapeBuffer;
    QImage portraitBuffer;
};
