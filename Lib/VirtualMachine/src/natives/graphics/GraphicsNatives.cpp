// The graphics native group 18: drawing on a canvas, the host's back buffer during a draw
// call or a bitmap. The application holds a canvas or a bitmap through a cell whose word
// is a canvas handle; a cell holding no handle draws nothing. Every operand is read
// before anything is drawn, so a null reference raises NullPointerException first.
#include "CanvasHandle.h"
#include "ErrorHandling.h"
#include "FixedOperands.h"
#include "FontOperands.h"
#include "NativeGroups.h"
#include "NativeObjectCells.h"

#include <optional>

namespace {

// The handle in the cell of a canvas or bitmap operand, 0 when the cell holds none; a null
// reference raises NullPointerException "NULL pointer".
TVMAddress handleOperand(NativeCall& call) {
    return call.memory().load32(nonNull(call.word()));
}

SurfacePoint positionOperand(NativeCall& call) {
    const TInt32 y = call.integer();
    return {call.integer(), y};
}

BitmapRectangle rectangleOperand(NativeCall& call) {
    const TInt32 height = call.integer();
    const TInt32 width = call.integer();
    const SurfacePoint corner = positionOperand(call);
    return {corner.x, corner.y, width, height};
}

double realOperand(NativeCall& call) {
    return ORaw::toReal(fixedOperand(call));
}

// What draws on the canvas, null when the cell holds no canvas or the canvas cannot be
// drawn on (an empty bitmap); a handle of another kind raises VMException "Invalid object
// type ID".
DrawingSurface* surfaceOf(NativeCall& call, TVMAddress canvas) {
    if (canvas == 0) return nullptr;
    return CanvasHandle(call.heap(), canvas).surface(*call.host().canvases);
}

// A bitmap drawn on a canvas.
struct BitmapOnCanvas {
    DrawingSurface& surface;
    VMBitmap& bitmap;
};

// The surface and the bitmap, none when either cell holds no handle or either cannot be
// drawn; a bitmap handle of another kind raises VMException "Invalid typeid on bitmap".
// With `endBitmapDrawing`, drawing on the bitmap ends first, so that what was drawn on it
// is drawn.
std::optional<BitmapOnCanvas> bitmapOnCanvas(NativeCall& call, TVMAddress canvas, TVMAddress bitmap,
                                             bool endBitmapDrawing) {
    if (canvas == 0 || bitmap == 0) return std::nullopt;
    CanvasHandle source(call.heap(), bitmap);
    VMBitmap* picture = source.bitmap();
    if (!picture) return std::nullopt;
    if (endBitmapDrawing) source.endDrawing();
    DrawingSurface* surface = surfaceOf(call, canvas);
    if (!surface) return std::nullopt;
    return BitmapOnCanvas{*surface, *picture};
}

// A bitmap drawn into itself through one handle is not drawn.
void drawBitmap(NativeCall& call, TInt32) {
    const TInt32 opacity = call.integer();
    const SurfacePoint at = positionOperand(call);
    const TVMAddress bitmap = handleOperand(call);
    const TVMAddress canvas = handleOperand(call);
    if (canvas != bitmap) {
        if (auto drawing = bitmapOnCanvas(call, canvas, bitmap, true))
            drawing->surface.drawBitmap(drawing->bitmap, at, opacity);
    }
    call.pop();
}

// Text in a native font draws in the surface's font; a bitmap font draws its glyphs. A
// cell holding no font draws nothing.
void drawText(NativeCall& call, TInt32 hasRange) {
    CAppsFont* font = fontOperand(call);
    const TUint32 colour = call.word();
    const SurfacePoint at = positionOperand(call);
    const TextRun run = textOperand(call, hasRange);
    const TVMAddress canvas = handleOperand(call);
    if (font) {
        const FontType type = font->fontType();
        if (type != ENativeFont && type != EBitmapFont)
            throwError(EInvalidArgument, "Draw string: invalid font type");
        if (DrawingSurface* surface = surfaceOf(call, canvas))
            surface->drawText(run, at, colour, *font);
    }
    call.pop();
}

void fillRectangle(NativeCall& call, TInt32) {
    const TUint32 colour = call.word();
    const BitmapRectangle area = rectangleOperand(call);
    if (DrawingSurface* surface = surfaceOf(call, handleOperand(call)))
        surface->fillRectangle(area.x, area.y, area.width, area.height, colour);
    call.pop();
}

void drawLine(NativeCall& call, TInt32) {
    const TUint32 colour = call.word();
    const SurfacePoint to = positionOperand(call);
    const SurfacePoint from = positionOperand(call);
    if (DrawingSurface* surface = surfaceOf(call, handleOperand(call)))
        surface->drawLine(from, to, colour);
    call.pop();
}

// The tile grid's origin is relative to the area's corner. The opacity operand is not
// applied.
void tileBitmap(NativeCall& call, TInt32) {
    call.integer();
    const SurfacePoint origin = positionOperand(call);
    const BitmapRectangle area = rectangleOperand(call);
    const TVMAddress bitmap = handleOperand(call);
    if (auto drawing = bitmapOnCanvas(call, handleOperand(call), bitmap, true))
        drawing->surface.tileBitmap(drawing->bitmap, area, origin);
    call.pop();
}

void drawBitmapRegion(NativeCall& call, TInt32) {
    const TInt32 opacity = call.integer();
    const BitmapRectangle source = rectangleOperand(call);
    const SurfacePoint at = positionOperand(call);
    const TVMAddress bitmap = handleOperand(call);
    if (auto drawing = bitmapOnCanvas(call, handleOperand(call), bitmap, false))
        drawing->surface.drawBitmapRegion(drawing->bitmap, at, source, opacity);
    call.pop();
}

// Larger than any canvas: a fill of this size covers all of it.
constexpr TInt32 kWholeCanvas = 32768;

// A bitmap takes the colour in every pixel; the screen blends it over its picture.
void clear(NativeCall& call, TInt32) {
    const TUint32 colour = call.word();
    if (const TVMAddress handle = handleOperand(call)) {
        CanvasHandle canvas(call.heap(), handle);
        if (canvas.kind() == EBitmapCanvas) {
            canvas.endDrawing();
            if (VMBitmap* bitmap = canvas.bitmap()) bitmap->fill(colour);
        } else if (DrawingSurface* surface = canvas.surface(*call.host().canvases)) {
            surface->fillRectangle(0, 0, kWholeCanvas, kWholeCanvas, colour);
        }
    }
    call.pop();
}

// Reserved: the operands (a canvas, two int arrays, an object and an int) are read and
// nothing is drawn.
void reserved(NativeCall& call, TInt32) {
    call.integer();
    for (int reference = 0; reference < 4; ++reference)
        nonNull(call.word());
    call.pop();
}

// The angle in radians becomes degrees through 3.141 rather than pi, the turn that
// applications expect.
void drawBitmapTransformed(NativeCall& call, TInt32) {
    const TInt32 opacity = call.integer();
    PictureTurn turn;
    turn.scaleY = realOperand(call);
    turn.scaleX = realOperand(call);
    turn.degrees = realOperand(call) * 180.0 / 3.141;
    const SurfacePoint centre = positionOperand(call);
    const TVMAddress bitmap = handleOperand(call);
    if (auto drawing = bitmapOnCanvas(call, handleOperand(call), bitmap, false))
        drawing->surface.drawBitmapTurned(drawing->bitmap, centre, turn, opacity);
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "drawBitmap", drawBitmap},
    {2, "drawString", drawText, false},
    {3, "drawSubstring", drawText, true},
    {4, "fillRectangle", fillRectangle},
    {5, "drawLine", drawLine},
    {6, "tileBitmap", tileBitmap},
    {7, "drawBitmapRegion", drawBitmapRegion},
    {8, "clear", clear},
    {9, "reserved", reserved},
    {10, "drawBitmapTransformed", drawBitmapTransformed},
};

} // namespace

constinit const NativeTable kGraphicsNatives{kFunctions};
