// The graphics native group 18: drawing on a canvas, the host's back buffer during a draw
// call or a bitmap. The application holds a canvas through a cell whose word is a canvas
// handle; a cell holding no handle draws nothing. So far the group fills rectangles and
// clears; its other functions are unknown.
#include "CanvasHandle.h"
#include "NativeGroups.h"
#include "NativeObjectCells.h"

#include <optional>

namespace {

// The handle in the cell of a canvas operand, none when the cell holds no handle; a null
// reference raises NullPointerException "NULL pointer".
std::optional<CanvasHandle> canvasOperand(NativeCall& call) {
    const TVMAddress handle = call.memory().load32(nonNull(call.word()));
    if (handle == 0) return std::nullopt;
    return CanvasHandle(call.heap(), handle);
}

// Larger than any canvas: a fill of this size covers all of it.
constexpr TInt32 kWholeCanvas = 32768;

void fillRectangle(NativeCall& call, TInt32) {
    const TUint32 colour = call.word();
    const TInt32 height = call.integer();
    const TInt32 width = call.integer();
    const TInt32 y = call.integer();
    const TInt32 x = call.integer();
    if (std::optional<CanvasHandle> canvas = canvasOperand(call)) {
        if (DrawingSurface* surface = canvas->surface(*call.host().canvases))
            surface->fillRectangle(x, y, width, height, colour);
    }
    call.pop();
}

// A bitmap takes the colour in every pixel; the screen blends it over its picture.
void clear(NativeCall& call, TInt32) {
    const TUint32 colour = call.word();
    if (std::optional<CanvasHandle> canvas = canvasOperand(call)) {
        if (canvas->kind() == EBitmapCanvas) {
            canvas->endDrawing();
            if (VMBitmap* bitmap = canvas->bitmap()) bitmap->fill(colour);
        } else if (DrawingSurface* surface = canvas->surface(*call.host().canvases)) {
            surface->fillRectangle(0, 0, kWholeCanvas, kWholeCanvas, colour);
        }
    }
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {4, "fillRectangle", fillRectangle},
    {8, "clear", clear},
};

} // namespace

constinit const NativeTable kGraphicsNatives{kFunctions};
