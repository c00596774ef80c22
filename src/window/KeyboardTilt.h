// Tilt from the keyboard, for a desktop without an acceleration sensor: while Alt and an
// arrow key are held the device leans half a g that way (Left and Right along X, Up and
// Down along Y), and letting the arrow go returns that axis to level. The keys it takes
// never reach the application.
#pragma once

#include "TiltService.h"

#include <QKeyEvent>

class KeyboardTilt : public TiltService {
public:
    // Each answers whether the key was the tilt's.
    bool press(const QKeyEvent& event);
    bool release(const QKeyEvent& event);

    Tilt currentTilt() override;

private:
    int across = 0; // -1 left, 1 right: along X
    int along = 0;  // -1 up, 1 down: along Y
};
