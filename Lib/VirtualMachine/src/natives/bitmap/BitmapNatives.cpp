// The bitmap native group 19: bitmaps made, loaded, copied, resized, encoded, and their
// pixels read and written. The application holds a bitmap through a cell whose word is a
// bitmap handle (a canvas handle of kind 2); a new bitmap's handle is written to the
// variable whose address the call gives, once nothing can fail any more.
#include "BitmapChecks.h"
#include "BitmapLoading.h"
#include "CanvasHandle.h"
#include "CheckRange.h"
#include "ErrorHandling.h"
#include "NativeGroups.h"
#include "NativeObjectCells.h"
#include "vector/ArrayCall.h"

#include <string_view>
#include <utility>
#include <vector>

namespace {

// The handle in the cell of a bitmap operand: a null reference raises
// NullPointerException "NULL pointer", a cell holding no handle NullPointerException.
CanvasHandle bitmapOperand(NativeCall& call) {
    const TVMAddress handle = call.memory().load32(nonNull(call.word()));
    if (handle == 0) throwError(ENullPointer);
    return {call.heap(), handle};
}

// The bitmap of a handle once drawing on it has ended; null for an empty bitmap.
VMBitmap* endedBitmap(CanvasHandle handle) {
    handle.endDrawing();
    return handle.bitmap();
}

BitmapRectangle rectangleOperand(NativeCall& call) {
    BitmapRectangle rectangle;
    rectangle.height = call.integer();
    rectangle.width = call.integer();
    rectangle.y = call.integer();
    rectangle.x = call.integer();
    return rectangle;
}

BitmapSize sizeOf(const VMBitmap* bitmap) {
    return bitmap ? bitmap->size() : BitmapSize{};
}

// A new bitmap of a checked size, none (an empty bitmap) when a side is 0.
std::unique_ptr<VMBitmap> newBitmap(NativeCall& call, TInt32 width, TInt32 height, TUint32 colour) {
    if (width == 0 || height == 0) return nullptr;
    return call.host().canvases->makeBitmap(width, height, colour);
}

// A new bitmap holding a checked region of the source.
std::unique_ptr<VMBitmap> regionOf(NativeCall& call, VMBitmap* source, BitmapRectangle region) {
    std::unique_ptr<VMBitmap> copy = newBitmap(call, region.width, region.height, 0);
    if (copy) copy->copyRegion(*source, region);
    return copy;
}

void storeHandle(NativeCall& call, TVMAddress variable, TVMAddress handle) {
    call.memory().store32(variable, handle);
}

void storeNewBitmap(NativeCall& call, TVMAddress variable, std::unique_ptr<VMBitmap> bitmap) {
    storeHandle(call, variable, makeBitmapHandle(call.heap(), std::move(bitmap)));
}

void create(NativeCall& call, TInt32) {
    const TUint32 colour = call.word();
    const TInt32 height = call.integer();
    const TInt32 width = call.integer();
    const TVMAddress variable = call.word();
    checkSide(width, "Width");
    checkSide(height, "Height");
    storeNewBitmap(call, variable, newBitmap(call, width, height, colour));
    call.pop();
}

void copyOfRegion(NativeCall& call, TInt32) {
    const BitmapRectangle region = rectangleOperand(call);
    VMBitmap* source = endedBitmap(bitmapOperand(call));
    const TVMAddress variable = call.word();
    checkRegion(sizeOf(source), region);
    storeNewBitmap(call, variable, regionOf(call, source, region));
    call.pop();
}

void storeLoaded(NativeCall& call, TVMAddress variable, std::unique_ptr<VMBitmap> loaded) {
    storeHandle(call, variable,
                handleForLoaded(call.heap(), std::move(loaded), "Could not load image"));
}

void loadFromFile(NativeCall& call, TInt32) {
    const OString& path = call.string();
    const TVMAddress variable = call.word();
    storeLoaded(call, variable, loadBitmapFile(call.host(), path));
    call.pop();
}

void loadFromBytes(NativeCall& native, TInt32) {
    ArrayCall<ByteElement> call(native, true);
    const std::vector<TUint8> bytes = allBytesOf(call.array());
    const TVMAddress variable = call.word();
    storeLoaded(call, variable, decodeBitmapBytes(call.host(), bytes));
    call.pop();
}

void loadFromPartOfBytes(NativeCall& native, TInt32) {
    ArrayCall<ByteElement> call(native, true);
    RangeOperand range = call.uncheckedRange();
    const OVector array = call.array();
    const TVMAddress variable = call.word();
    checkRange(0, array.size(), range.first, range.length);
    if (range.length == 0) throwError(EInvalidArgument, "size is zero");
    const std::vector<TUint8> bytes = array.elementBytes(range.first, range.length);
    storeLoaded(call, variable, call.host().canvases->decodeImage(bytes));
    call.pop();
}

void duplicate(NativeCall& call, TInt32) {
    VMBitmap* source = endedBitmap(bitmapOperand(call));
    const TVMAddress variable = call.word();
    const BitmapSize size = sizeOf(source);
    storeNewBitmap(call, variable, regionOf(call, source, {0, 0, size.width, size.height}));
    call.pop();
}

// The operands of a pixel (bitmap, x, y), which lies inside the bitmap, once drawing on
// it has ended.
struct PixelOperand {
    VMBitmap& bitmap;
    TInt32 x = 0;
    TInt32 y = 0;
};

PixelOperand pixelOperand(NativeCall& call, PixelAccess access) {
    const TInt32 y = call.integer();
    const TInt32 x = call.integer();
    VMBitmap* bitmap = endedBitmap(bitmapOperand(call));
    checkPosition(sizeOf(bitmap), x, y, access);
    return {*bitmap, x, y};
}

void getPixel(NativeCall& call, TInt32) {
    const PixelOperand pixel = pixelOperand(call, PixelAccess::Read);
    call.answer(pixel.bitmap.getPixel(pixel.x, pixel.y));
}

void size(NativeCall& call, TInt32) {
    const BitmapSize size = sizeOf(bitmapOperand(call).bitmap());
    const TUint32 words[] = {static_cast<TUint32>(size.width), static_cast<TUint32>(size.height)};
    call.answerWords(words);
}

void setPixel(NativeCall& call, TInt32) {
    const TUint32 colour = call.word();
    const PixelOperand pixel = pixelOperand(call, PixelAccess::Write);
    pixel.bitmap.setPixel(pixel.x, pixel.y, colour);
    call.pop();
}

// A new size with a side of 0 empties the bitmap; an empty bitmap becomes opaque black
// of the new size; otherwise the picture is scaled, but only when both sides change.
void resize(NativeCall& call, TInt32 mode) {
    const TInt32 height = call.integer();
    const TInt32 width = call.integer();
    CanvasHandle bitmap = bitmapOperand(call);
    bitmap.endDrawing();
    checkSide(width, "Width");
    checkSide(height, "Height");
    VMBitmap* old = bitmap.bitmap();
    if (!old) {
        if (width != 0 && height != 0) bitmap.setBitmap(newBitmap(call, width, height, 0xFF000000));
    } else if (width == 0 || height == 0) {
        bitmap.setBitmap(nullptr);
    } else if (width != old->size().width && height != old->size().height) {
        std::unique_ptr<VMBitmap> scaled = newBitmap(call, width, height, 0);
        scaled->scaleFrom(*old, mode);
        bitmap.setBitmap(std::move(scaled));
    }
    call.pop();
}

std::string_view formatName(TInt32 format) {
    switch (format) {
    case 1: return "jpg";
    case 2: return "png";
    case 3: return "gif";
    case 4: return "bmp";
    default: return "";
    }
}

void encode(NativeCall& call, TInt32) {
    const TInt32 format = call.integer();
    VMBitmap* picture = endedBitmap(bitmapOperand(call));
    CanvasService& canvases = *call.host().canvases;
    std::vector<TUint8> bytes;
    canvases.bitmapRequest(false);
    if (picture) picture->encode(bytes, formatName(format));
    canvases.bitmapRequest(true);
    call.answer(OVector::createByteArray(call.heap(), bytes));
}

// Function 12 passes a transformation mode of its own, which scales smoothly (10 and 11
// scale fast).
constexpr TInt32 kFastScaling = 0;
constexpr TInt32 kSmoothScaling = 10;

constexpr NativeFunction kFunctions[] = {
    {1, "create", create},
    {2, "copyOfRegion", copyOfRegion},
    {3, "loadFromFile", loadFromFile},
    {4, "loadFromBytes", loadFromBytes},
    {5, "loadFromPartOfBytes", loadFromPartOfBytes},
    {6, "duplicate", duplicate},
    {7, "getPixel", getPixel},
    {8, "size", size},
    {9, "setPixel", setPixel},
    {10, "resize", resize, kFastScaling},
    {11, "secondResize", resize, kFastScaling},
    {12, "resizeSmoothly", resize, kSmoothScaling},
    {13, "encode", encode},
};

} // namespace

constinit const NativeTable kBitmapNatives{kFunctions};
