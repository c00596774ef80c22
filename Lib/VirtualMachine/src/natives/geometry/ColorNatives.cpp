// The colour native group 13. A colour is one ARGB word: alpha in the top byte, then red,
// green and blue. A component is a byte; one outside 0..255 (a negative one included)
// raises InvalidArgumentException.
#include "GeometryValues.h"
#include "NativeGroups.h"

namespace {

using namespace geometry;

constexpr TUint32 kComponentMask = 0xFF;
constexpr TInt32 kRedShift = 16;
constexpr TInt32 kGreenShift = 8;
constexpr TInt32 kBlueShift = 0;
constexpr TInt32 kAlphaShift = 24;

// A colour as a table constant.
constexpr TInt32 opaque(TUint32 rgb) {
    return static_cast<TInt32>(0xFF000000 | rgb);
}

TUint32 component(NativeCall& call) {
    const TUint32 value = call.word();
    if (value > kComponentMask) throwError(EInvalidArgument);
    return value;
}

void fromComponents(NativeCall& call, TInt32) {
    const TUint32 alpha = component(call);
    const TUint32 blue = component(call);
    const TUint32 green = component(call);
    const TUint32 red = component(call);
    const Value<1> color{alpha << kAlphaShift | red << kRedShift | green << kGreenShift |
                         blue << kBlueShift};
    store<1>(call, call.word(), color);
    call.pop();
}

// The component at bit `shift` of the receiver.
void answerComponent(NativeCall& call, TInt32 shift) {
    call.answer(load<1>(call, call.word())[0] >> shift & kComponentMask);
}

// Replaces the component at bit `shift` of the receiver.
void setComponent(NativeCall& call, TInt32 shift) {
    const TUint32 value = component(call);
    const TVMAddress receiver = call.word();
    const TUint32 color = load<1>(call, receiver)[0] & ~(kComponentMask << shift);
    store<1>(call, receiver, {color | value << shift});
    call.pop();
}

void pushColor(NativeCall& call, TInt32 color) {
    call.answer(static_cast<TUint32>(color));
}

// reset gives opaque white. The components are read with getRed ... getAlpha; the plain
// colour names push the predefined opaque colours.
constexpr NativeFunction kFunctions[] = {
    {1, "reset", reset<1>, opaque(0xFFFFFF)},
    {2, "copy", copy<1>},
    {3, "fromComponents", fromComponents},
    {4, "getRed", answerComponent, kRedShift},
    {5, "getGreen", answerComponent, kGreenShift},
    {6, "getBlue", answerComponent, kBlueShift},
    {7, "getAlpha", answerComponent, kAlphaShift},
    {8, "setRed", setComponent, kRedShift},
    {9, "setGreen", setComponent, kGreenShift},
    {10, "setBlue", setComponent, kBlueShift},
    {11, "setAlpha", setComponent, kAlphaShift},
    {12, "equal", equal<1>},
    {13, "notEqual", notEqual<1>},
    {14, "red", pushColor, opaque(0xFF0000)},
    {15, "green", pushColor, opaque(0x00FF00)},
    {16, "blue", pushColor, opaque(0x0000FF)},
    {17, "black", pushColor, opaque(0x000000)},
    {18, "white", pushColor, opaque(0xFFFFFF)},
    {19, "cyan", pushColor, opaque(0x00FFFF)},
    {20, "magenta", pushColor, opaque(0xFF00FF)},
    {21, "yellow", pushColor, opaque(0xFFFF00)},
    {22, "grey", pushColor, opaque(0x808080)},
    {23, "brown", pushColor, opaque(0x964B00)},
    {24, "orange", pushColor, opaque(0xFF7F00)},
};

} // namespace

constinit const NativeTable kColorNatives{kFunctions};
