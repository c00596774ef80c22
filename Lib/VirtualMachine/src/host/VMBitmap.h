// A bitmap of the application: a picture in host memory that the Bitmap natives make,
// read and change, and that drawing surfaces draw on and draw with. Colours are 32-bit
// ARGB values: alpha in bits 24 to 31, then red, green and blue.
#pragma once

#include "GCObject.h"
#include "Types.h"

#include <string_view>
#include <vector>

// The largest width and height of a bitmap: far beyond any phone screen, and small
// enough that one bitmap's pixels (256 MiB) fit in the memory an application may use.
inline constexpr TInt32 kLargestBitmapSide = 8192;

struct BitmapSize {
    TInt32 width = 0;
    TInt32 height = 0;
};

struct BitmapRectangle {
    TInt32 x = 0;
    TInt32 y = 0;
    TInt32 width = 0;
    TInt32 height = 0;
};

class VMBitmap : public GCObject {
public:
    // Appends the picture written in an image file format ("png", "jpg" ...); a format the
    // host cannot write appends nothing.
    virtual void encode(std::vector<TUint8>& out, std::string_view format) = 0;
    // Replaces the picture by the source's scaled to this bitmap's size; `mode` 0 scales
    // fast, any other value smoothly.
    virtual void scaleFrom(VMBitmap& source, TInt32 mode) = 0;
    // Replaces the picture by that region of the source, which lies inside it.
    virtual void copyRegion(VMBitmap& source, BitmapRectangle region) = 0;
    // Sets every pixel to the colour, exactly (no blending).
    virtual void fill(TUint32 colour) = 0;
    // Pixels inside the bitmap; the callers check the position.
    virtual TUint32 getPixel(TInt32 x, TInt32 y) = 0;
    virtual void setPixel(TInt32 x, TInt32 y, TUint32 colour) = 0;
    virtual BitmapSize size() const = 0;
};
