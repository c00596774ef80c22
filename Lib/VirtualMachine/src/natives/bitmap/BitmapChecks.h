// The checks of the Bitmap natives' operands against sizes, each raising
// InvalidArgumentException with a message that names the numbers.
#pragma once

#include "Types.h"
#include "VMBitmap.h"

enum class PixelAccess { Read, Write };

// A side of a new bitmap: "<name> should be non-negative" below 0, "<name> should be at
// most 8192" beyond the largest side.
void checkSide(TInt32 side, const char* name);
// A pixel position inside a bitmap of that size (0 x 0 for an empty bitmap).
void checkPosition(BitmapSize size, TInt32 x, TInt32 y, PixelAccess access);
// A region inside a bitmap of that size (0 x 0 for an empty bitmap).
void checkRegion(BitmapSize size, BitmapRectangle region);
