// The screen the application draws on: its size, its orientation and repaint requests.
#pragma once

#include "AddressSpace.h"
#include "Types.h"

class ScreenService {
public:
    virtual ~ScreenService() = default;
    // Requests a repaint of that back-buffer rectangle.
    virtual void updateArea(TInt32 x, TInt32 y, TInt32 width, TInt32 height) = 0;
    // 1 portrait, 2 landscape; any other value is kept and counts as portrait.
    virtual void setOrientation(TInt32 orientation) = 0;
    virtual TInt32 getOrientation() = 0;
    virtual void getScreenSize(TInt32& width, TInt32& height) = 0;
    // The application's screen request (on or off); a host may ignore it.
    virtual void screenRequest(bool on) = 0;
    // An object whose "screen orientation changed to" method the host may call when it
    // turns the screen by itself. The machine keeps the listener alive until it is
    // removed; a host that never turns the screen may ignore both.
    virtual void addOrientationListener(TVMAddress listener) = 0;
    virtual void removeOrientationListener(TVMAddress listener) = 0;
};
