// Canvas handles: how the application holds a canvas or a bitmap (through a cell whose
// word is the handle). A handle is a three-word GC_CODE_REF_CELL block {kind, surface,
// bitmap}, made by the host for the screen and by the Bitmap natives for bitmaps. Its
// kind is also the number of words after it that the collector traces: a screen canvas
// (kind 1) keeps its surface alive, a bitmap (kind 2) its surface and its bitmap. Those
// words hold the addresses of native-object blocks, or 0.
//
// The bytecode can write any word of a handle, so every word is checked where it is
// used: a wrong kind, or a word that is no block of the expected kind of native object,
// raises an error.
#pragma once

#include "CanvasService.h"
#include "DrawingSurface.h"
#include "Types.h"
#include "VMBitmap.h"
#include "VMHeap.h"

#include <memory>

enum CanvasKind : TUint32 { EScreenCanvas = 1, EBitmapCanvas = 2 };

// A new kind-1 handle drawing with `surface`, which the heap then owns.
TVMAddress makeScreenCanvas(VMHeap& heap, std::unique_ptr<DrawingSurface> surface);
// A new kind-2 handle holding `bitmap` (null: an empty bitmap), with no surface yet.
TVMAddress makeBitmapHandle(VMHeap& heap, std::unique_ptr<VMBitmap> bitmap);

// The operations on the handle at a (non-null) address.
class CanvasHandle {
public:
    CanvasHandle(VMHeap& aHeap, TVMAddress aHandle) : heap(aHeap), handle(aHandle) {}

    TUint32 kind() const;
    // What draws on the canvas: a screen canvas's surface; a bitmap's, made on first use
    // (null when the bitmap is empty or the host cannot draw on it). Any other kind
    // raises VMException "Invalid object type ID".
    DrawingSurface* surface(CanvasService& canvases);
    // A bitmap handle's bitmap, null when it is empty; any other kind raises VMException
    // "Invalid typeid on bitmap".
    VMBitmap* bitmap() const;
    // Ends drawing on a bitmap and forgets its surface; any other kind raises VMException
    // "Invalid bitmap handle".
    void endDrawing();
    // Gives a bitmap handle another bitmap (null: empty); any other kind raises
    // VMException with an empty message.
    void setBitmap(std::unique_ptr<VMBitmap> bitmap);

private:
    TVMAddress word(TUint32 index) const;
    void setWord(TUint32 index, TVMAddress value);
    DrawingSurface* storedSurface() const;

    VMHeap& heap;
    const TVMAddress handle;
};
