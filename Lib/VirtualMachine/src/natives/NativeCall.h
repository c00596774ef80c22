// The operands and the result of one native call, and all that a native reaches of the
// machine. Operands are read from the top of the operand stack downwards, each read taking
// the slots under the previous one, so a native reads them in the reverse of the order
// they were pushed and knows how many slots it has used. Nothing on the stack changes
// until the native answers, so an error raised on the way leaves the stack as it was.
#pragma once

#include "NativeMachine.h"
#include "OString.h"
#include "Types.h"

#include <span>
#include <utility>

// A range operand as pushed: the first index, then the length (negative: to the end).
struct RangeOperand {
    TInt32 first = 0;
    TInt32 length = 0;
};

class NativeCall {
public:
    // A call of function `function` of native group `group`.
    NativeCall(NativeMachine& machine, TInt32 group, TInt32 function)
        : vm(machine), top(machine.sp), groupNumber(group), functionNumber(function) {}

    VMHeap& heap() const { return vm.heap; }
    AddressSpace& memory() const { return vm.space; }
    const HostServices& host() const { return vm.host; }
    StreamTable& streams() const { return vm.streams; }
    MersenneTwister& randomGenerator() const { return vm.randomGenerator(); }
    void setApplicationObject(TVMAddress object) const { vm.setApplicationObject(object); }
    // Raises the group's unknown-function error: VMException with the group's prefix and
    // the code position (or the function number).
    [[noreturn]] void unknownFunction() const;

    // Operands.
    TUint32 word() { return slot(top - read++); }
    TInt32 integer() { return static_cast<TInt32>(word()); }
    bool flag() { return word() != 0; }
    // A character: the low 16 bits of the slot.
    char16_t unit() { return static_cast<char16_t>(word()); }
    // The string behind a reference to its cell; null raises NullPointerException.
    OString& string() { return stringAt(word()); }
    // A range; a negative first index raises RangeException as soon as it is read.
    RangeOperand range();
    // A range that the operation checks itself.
    RangeOperand uncheckedRange();

    // Answers. Each one replaces the operands read so far; with none read, it pushes.
    // Removes them.
    void pop() { vm.sp = top - read; }
    // Leaves one result in the lowest operand slot.
    void answer(TUint32 result) { answerWords({&result, 1}); }
    // Leaves the words from the lowest operand slot on, or above the `kept` lowest
    // operand slots, which stay as they are.
    void answerWords(std::span<const TUint32> words, TInt32 kept = 0);

    // Objects.
    // The string in the cell at `cell`; null raises NullPointerException, a cell holding
    // no string VMException "not a string".
    OString& stringAt(TVMAddress cell);
    // A new string and its cell; returns the cell.
    TVMAddress newString(OString text);
    // Makes a new string object and stores it in the cell at `cell` (null raises
    // NullPointerException); the cell's old string is left to the collector.
    void storeString(TVMAddress cell, const OString& text);
    // A new cell holding `value`, which stays alive while the cell is made.
    TVMAddress newCell(TVMAddress value);

private:
    TUint32& slot(TInt32 index) {
        if (static_cast<TUint32>(index) >= static_cast<TUint32>(NativeMachine::kStackStorageSlots))
            [[unlikely]]
            vm.fatalError("native operand outside the stack", vm.pc);
        return vm.stack[index];
    }

    NativeMachine& vm;
    const TInt32 top; // the top slot on entry
    TInt32 read = 0;  // operand slots read so far
    const TInt32 groupNumber;
    const TInt32 functionNumber;
};
