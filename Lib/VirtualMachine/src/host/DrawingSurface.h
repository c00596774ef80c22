// A drawing surface: what draws on a canvas, the host's back buffer or a bitmap. Colours
// are 32-bit ARGB values; an opacity is 0 to 255, where 255 changes nothing. The
// surface's clip limits what changes.
#pragma once

#include "CAppsFont.h"
#include "GCObject.h"
#include "Types.h"
#include "VMBitmap.h"

struct SurfacePoint {
    TInt32 x = 0;
    TInt32 y = 0;
};

// How a picture is turned and scaled about its centre.
struct PictureTurn {
    double degrees = 0; // counter-clockwise on the screen
    double scaleX = 1;
    double scaleY = 1;
};

class DrawingSurface : public GCObject {
public:
    // Ends drawing: the surface lets go of what it draws on, and draws nothing more.
    virtual void endDrawing() = 0;
    // Fills the rectangle with the colour, blending a translucent one over what is there.
    virtual void fillRectangle(TInt32 x, TInt32 y, TInt32 width, TInt32 height, TUint32 colour) = 0;
    // A line in the colour, with the surface's default pen width; the pen stays set.
    virtual void drawLine(SurfacePoint from, SurfacePoint to, TUint32 colour) = 0;
    // The bitmap unscaled, its top-left corner at `at`.
    virtual void drawBitmap(VMBitmap& bitmap, SurfacePoint at, TInt32 opacity) = 0;
    // The bitmap's `source` region unscaled, its top-left corner at `at`.
    virtual void drawBitmapRegion(VMBitmap& bitmap, SurfacePoint at, BitmapRectangle source,
                                  TInt32 opacity) = 0;
    // Copies of the bitmap side by side over the area, the tile grid shifted by `origin`
    // from the area's top-left corner.
    virtual void tileBitmap(VMBitmap& bitmap, BitmapRectangle area, SurfacePoint origin) = 0;
    // The bitmap turned and scaled, its centre at `centre`.
    virtual void drawBitmapTurned(VMBitmap& bitmap, SurfacePoint centre, PictureTurn turn,
                                  TInt32 opacity) = 0;
    // Text whose top-left corner is at `at`. A native font draws in the surface's current
    // font with the colour as pen (the pen stays set); a bitmap font draws its glyphs
    // recoloured, side by side.
    virtual void drawText(TextRun run, SurfacePoint at, TUint32 colour, CAppsFont& font) = 0;
};
