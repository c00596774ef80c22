#include "BitmapChecks.h"

#include "ErrorHandling.h"

#include <initializer_list>
#include <string>

namespace {

// The numbers in decimal, joined by ", ", between brackets.
std::string listed(std::initializer_list<TInt64> numbers) {
    std::string text = "(";
    for (const TInt64 number : numbers) {
        if (text.size() > 1) text += ", ";
        text += std::to_string(number);
    }
    return text + ")";
}

[[noreturn]] void invalidArgument(const std::string& message) {
    throwError(EInvalidArgument, message.c_str());
}

bool isEmpty(BitmapSize size) {
    return size.width == 0 || size.height == 0;
}

} // namespace

void checkSide(TInt32 side, const char* name) {
    if (side < 0) invalidArgument(std::string(name) + " should be non-negative");
    if (side > kLargestBitmapSide)
        invalidArgument(std::string(name) + " should be at most " +
                        std::to_string(kLargestBitmapSide));
}

void checkPosition(BitmapSize size, TInt32 x, TInt32 y, PixelAccess access) {
    if (x >= 0 && x < size.width && y >= 0 && y < size.height) return;
    if (!isEmpty(size))
        invalidArgument("Position " + listed({x, y}) + " is outside the bounds of the bitmap: " +
                        listed({size.width, size.height}));
    if (access == PixelAccess::Write)
        invalidArgument("Position is outside the bounds of the bitmap: the bitmap is empty");
    invalidArgument("Position " + listed({x, y}) +
                    " is outside the bounds of the bitmap, the bitmap is empty");
}

void checkRegion(BitmapSize size, BitmapRectangle region) {
    const TInt64 right = TInt64{region.x} + region.width;
    const TInt64 bottom = TInt64{region.y} + region.height;
    if (region.x >= 0 && region.y >= 0 && region.width >= 0 && region.height >= 0 &&
        right <= size.width && bottom <= size.height)
        return;
    const std::string rectangle = "Source rectangle " +
                                  listed({region.x, region.y, region.width, region.height}) +
                                  " should be inside the bounds of the source bitmap";
    if (isEmpty(size)) invalidArgument(rectangle + ", the bitmap is empty");
    invalidArgument(rectangle + ": " + listed({size.width, size.height}));
}
