// The rectangle native group 17. A rectangle is four ints: the position x, y of its corner,
// then its size, width and height. Its far edges, right and bottom, are the position plus
// the size; ints wrap. The setters of the width, the height and the far edges refuse a
// negative width or height with InvalidArgumentException; construct and the size setter
// store the size as given.
#include "GeometryValues.h"
#include "NativeGroups.h"

namespace {

using namespace geometry;

// The first words of the position and of the size; on the vertical axis (1) each is one
// word further than on the horizontal axis (0).
constexpr TInt32 kPosition = 0;
constexpr TInt32 kSize = 2;
constexpr TInt32 kX = kPosition;
constexpr TInt32 kY = kPosition + 1;
constexpr TInt32 kWidth = kSize;
constexpr TInt32 kHeight = kSize + 1;

void answerFarEdge(NativeCall& call, TInt32 axis) {
    const Value<4> rectangle = load<4>(call, call.word());
    call.answer(rectangle[kPosition + axis] + rectangle[kSize + axis]);
}

// Moves the far edge on the axis; the near edge stays where it is.
void setFarEdge(NativeCall& call, TInt32 axis) {
    const TUint32 edge = call.word();
    const TVMAddress receiver = call.word();
    Value<4> rectangle = load<4>(call, receiver);
    const TUint32 extent = edge - rectangle[kPosition + axis];
    if (static_cast<TInt32>(extent) < 0) throwError(EInvalidArgument);
    rectangle[kSize + axis] = extent;
    store<4>(call, receiver, rectangle);
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "reset", reset<4>},
    {2, "copy", copy<4>},
    {3, "fromPositionAndSize", assign<4, 4, Sign::Any>},
    {4, "position", answerPart<4, 2>, kPosition},
    {5, "size", answerPart<4, 2>, kSize},
    {6, "x", answerPart<4, 1>, kX},
    {7, "y", answerPart<4, 1>, kY},
    {8, "width", answerPart<4, 1>, kWidth},
    {9, "height", answerPart<4, 1>, kHeight},
    {10, "right", answerFarEdge, 0},
    {11, "bottom", answerFarEdge, 1},
    {12, "setPosition", assign<4, 2, Sign::Any>, kPosition},
    {13, "setSize", assign<4, 2, Sign::Any>, kSize},
    {14, "setX", assign<4, 1, Sign::Any>, kX},
    {15, "setY", assign<4, 1, Sign::Any>, kY},
    {16, "setWidth", assign<4, 1, Sign::NonNegative>, kWidth},
    {17, "setHeight", assign<4, 1, Sign::NonNegative>, kHeight},
    {18, "setRight", setFarEdge, 0},
    {19, "setBottom", setFarEdge, 1},
    {20, "equal", equal<4>},
    {21, "notEqual", notEqual<4>},
};

} // namespace

constinit const NativeTable kRectangleNatives{kFunctions};
