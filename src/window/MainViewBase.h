// The window: a full-screen widget that is also the application's screen. It maps the
// application's repaint requests onto the window, rotated when a portrait picture is
// shown on a landscape window.
#pragma once

#include "ScreenService.h"

#include <QWidget>

class MainViewBase : public QWidget, public ScreenService {
public:
    MainViewBase() = default;

    void updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) override;
    // Whether the back buffer's picture is shown turned by 90 degrees.
    virtual bool needsRotation() const = 0;
};
