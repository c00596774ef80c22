// The key event native group 35: what the application reads of the key events that its
// "key pressed" and "key released" methods receive.
#include "ErrorHandling.h"
#include "KeyEvent.h"
#include "NativeGroups.h"
#include "NativeObjectCells.h"

namespace {

// The event in the cell the operand refers to; a cell that holds none raises
// NullPointerException without a message.
const Kestro::KeyEvent& keyEvent(NativeCall& call) {
    const TVMAddress cell = nonNull(call.word());
    const auto* event = call.heap().nativeObjectOf<Kestro::KeyEvent>(call.memory().load32(cell));
    if (!event) throwError(ENullPointer, "");
    return *event;
}

void keyCode(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(keyEvent(call).keyCode()));
}

void modifiers(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(keyEvent(call).modifiers()));
}

void scanCode(NativeCall& call, TInt32) {
    call.answer(static_cast<TUint32>(keyEvent(call).scanCode()));
}

void text(NativeCall& call, TInt32) {
    call.answer(call.newString(keyEvent(call).text()));
}

constexpr NativeFunction kFunctions[] = {
    {1, "keyCode", keyCode},
    {2, "modifiers", modifiers},
    {3, "scanCode", scanCode},
    {4, "text", text},
};

} // namespace

constinit const NativeTable kKeyEventNatives{kFunctions};
