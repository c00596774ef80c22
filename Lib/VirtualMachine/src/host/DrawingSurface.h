// A drawing surface: what draws on a canvas, the host's back buffer or a bitmap.
#pragma once

#include "GCObject.h"

class DrawingSurface : public GCObject {
public:
    // Ends drawing: the surface lets go of what it draws on, and draws nothing more.
    virtual void endDrawing() = 0;
};
