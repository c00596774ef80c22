// Kestro::KeyEvent: one key press or release as the application's key event methods
// receive it. The host makes one a key event; it lives in the machine's heap as a native
// object and the collector frees it once the application holds it no longer.
#pragma once

#include "AddressSpace.h"
#include "GCObject.h"
#include "OString.h"
#include "Types.h"

#include <utility>

class VMHeap;

namespace Kestro {

class KeyEvent : public GCObject {
public:
    // Application key codes of the keys without a printable code of their own.
    enum KeyCode : TInt32 {
        EKeyOther = 0x1000000,
        EKeyReturn = 0x1000001,
        EKeyBackspace = 0x1000002,
        EKeyLeft = 0x1000003,
        EKeyRight = 0x1000004,
        EKeyUp = 0x1000005,
        EKeyDown = 0x1000006,
    };

    KeyEvent(TInt32 aKeyCode, TInt32 aScanCode, TInt32 aModifiers, OString aText)
        : code(aKeyCode), scan(aScanCode), modifierWord(aModifiers), characters(std::move(aText)) {}

    // Makes the event in the heap; returns the address of its block.
    static TVMAddress create(VMHeap& heap, TInt32 keyCode, TInt32 scanCode, TInt32 modifiers,
                             OString text);

    TInt32 keyCode() const { return code; }
    TInt32 scanCode() const { return scan; }
    TInt32 modifiers() const { return modifierWord; }
    const OString& text() const { return characters; }

    int outsideHeapSize() const override { return characters.outsideHeapSize(); }

private:
    TInt32 code;
    TInt32 scan;
    TInt32 modifierWord;
    OString characters; // empty for keys without text
};

} // namespace Kestro
