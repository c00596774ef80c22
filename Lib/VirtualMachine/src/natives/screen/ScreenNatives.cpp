// The screen native group 31: the screen's size and orientation, and repaint requests. The
// group keeps nothing: everything comes from and goes to the host's screen. An orientation
// listener stays a collector root from its addition until its removal, each addition
// balanced by one removal.
#include "NativeCall.h"
#include "NativeGroups.h"

namespace {

ScreenService& screen(NativeCall& call) {
    return *call.host().screen;
}

void repaintAll(NativeCall& call, TInt32) {
    TInt32 width = 0;
    TInt32 height = 0;
    screen(call).getScreenSize(width, height);
    screen(call).updateArea(0, 0, width, height);
}

void screenSize(NativeCall& call, TInt32) {
    TInt32 width = 0;
    TInt32 height = 0;
    screen(call).getScreenSize(width, height);
    const TUint32 size[] = {static_cast<TUint32>(width), static_cast<TUint32>(height)};
    call.answerWords(size);
}

void setOrientation(NativeCall& call, TInt32) {
    screen(call).setOrientation(call.integer());
    call.pop();
}

void orientation(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(screen(call).getOrientation()));
}

void screenRequest(NativeCall& call, TInt32) {
    screen(call).screenRequest(call.flag());
    call.pop();
}

void repaintArea(NativeCall& call, TInt32) {
    const TInt32 height = call.integer();
    const TInt32 width = call.integer();
    const TInt32 y = call.integer();
    const TInt32 x = call.integer();
    screen(call).updateArea(x, y, width, height);
    call.pop();
}

void addOrientationListener(NativeCall& call, TInt32) {
    const TVMAddress listener = call.word();
    screen(call).addOrientationListener(listener);
    call.heap().addRoot(listener);
    call.pop();
}

void removeOrientationListener(NativeCall& call, TInt32) {
    const TVMAddress listener = call.word();
    screen(call).removeOrientationListener(listener);
    call.heap().removeRoot(listener);
    call.pop();
}

constexpr NativeFunction kFunctions[] = {
    {1, "repaintAll", repaintAll},
    {2, "screenSize", screenSize},
    {3, "setOrientation", setOrientation},
    {4, "orientation", orientation},
    {5, "screenRequest", screenRequest},
    {6, "repaintArea", repaintArea},
    {7, "addOrientationListener", addOrientationListener},
    {8, "removeOrientationListener", removeOrientationListener},
};

} // namespace

constinit const NativeTable kScreenNatives{kFunctions};
