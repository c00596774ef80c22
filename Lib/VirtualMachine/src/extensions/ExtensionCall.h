// The operands and results of one extension function, read and written through the
// machine's checked memory: arguments are taken from the top of the operand stack
// downwards (the last argument first); results replace the arguments read so far, and
// newTop() is the top index the extension returns.
#pragma once

#include "AddressSpace.h"
#include "MVMCallbackInterface.h"
#include "OString.h"
#include "Types.h"

class ExtensionCall {
public:
    ExtensionCall(MVMCallbackInterface& machine, TInt32 topIndex, TVMAddress stackAddress);

    MVMCallbackInterface& machine() const { return vm; }
    VMHeap& heap() const { return vm.getHeap(); }
    AddressSpace& memory() const { return space; }

    // Operands.
    TUint32 word();
    TInt32 integer() { return static_cast<TInt32>(word()); }
    // A fixed-point value: two slots, the low word in the lower one.
    TInt64 fixed();
    // The string behind a reference to its cell; null raises NullPointerException.
    const OString& string();

    // Results.
    void answer(TUint32 value);
    void answerFixed(TInt64 value);
    // Removes the operands read so far.
    void pop();
    TInt32 newTop() const { return top; }

private:
    TVMAddress slotAddress(TInt32 index) const;

    MVMCallbackInterface& vm;
    AddressSpace& space;
    const TInt32 firstTop;
    const TVMAddress stack;
    TInt32 read = 0;
    TInt32 top = firstTop;
    bool answered = false; // the operands read so far are gone
};
