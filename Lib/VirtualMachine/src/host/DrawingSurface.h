// A drawing surface: what draws on a canvas, the host's back buffer or a bitmap.
#pragma once

#include "GCObject.h"
#include "Types.h"

class DrawingSurface : public GCObject {
public:
    // Ends drawing: the surface lets go of what it draws on, and draws nothing more.
    virtual void endDrawing() = 0;
    // Fills the rectangle with the ARGB colour, blending a translucent one over what is
    // there; the surface's clip limits what changes.
    virtual void fillRectangle(TInt32 x, TInt32 y, TInt32 width, TInt32 height, TUint32 colour) = 0;
};
