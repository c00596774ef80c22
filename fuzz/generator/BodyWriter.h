// Writes the statements of one body (a function, a class method, the start-up). Every
// simple statement runs inside a protected region and ends by throwing the reset
// exception, which puts the operand stack back where the statement found it whatever the
// statement did to it; compound statements (conditions, loops, protected regions) keep
// the stack balanced themselves. So the body always knows where its arguments and locals
// lie, and a statement that misbehaves cannot derail the ones after it.
#pragma once

#include "AssemblyText.h"
#include "FuzzChoices.h"
#include "ProgramLayout.h"
#include "ProgramShape.h"

class BodyWriter {
public:
    // `firstCallable`: the first function the body may call (functions.size() for none);
    // `mayCallMethods`: whether it may call class methods.
    BodyWriter(FuzzChoices& choices, AssemblyText& text, const ProgramShape& program,
               const FrameShape& frame, int firstCallable, bool mayCallMethods);

    // The prologue (locals, array variables), up to `count` statements, the return.
    void writeBody(int count);

private:
    // Statements on data (BodyStatements.cpp).
    void statement();
    template <class Write> void simple(Write&& write);
    void nativeCall();
    void allocation();
    void release();
    void memoryAccess();
    void blockAccess();
    void forgery();
    void arithmetic();
    void frameSlotStore();
    // Statements that change the flow (BodyControl.cpp).
    void functionCall();
    void methodCall();
    void condition();
    void counterLoop();
    void stackLoop();
    void protectedRegion();
    void throwObject();
    void earlyReturn();
    // Raw instructions and fused sequences (BodyRawCode.cpp).
    void rawInstruction();
    void fusedSequence();
    // Stores the top slot in a register of the kind, or, in careful programs, in one that
    // may hold anything unless the kind is `sure`.
    void storeTopIn(ProgramLayout::Kind kind, bool sure = false);

    // Operands (BodyOperands.cpp); each records the slots it pushes.
    enum class Operand {
        Integer,
        Character,
        Text,
        Object,
        Long,
        Any,
        Array,
        Address,
        Fixed,
        Null,
        FrameSlot,
        Count
    };
    void pushOperand(Operand kind, int arrayGroup);
    void pushAnyOperand(int arrayGroup);
    // One operand of a native signature (NativeSignatures.h).
    void pushSignatureOperand(char kind, int group);
    void pushInteger();
    void pushRegister(ProgramLayout::Kind kind);
    void pushRegisterAddress(ProgramLayout::Kind kind);
    void pushArrayVariable(int arrayGroup);
    void pushAddress();
    // The address of a scratch word with room for `words` words from it on.
    void pushScratchAddress(int words);
    void pushFrameSlot(bool address);
    // The offset that `pick` and `addr` take for frame slot `slot` (from the frame base).
    int slotOffset(int slot) const;
    // The offset of a random slot that may be written: careful programs leave the return
    // address alone.
    int writableSlotOffset();
    int topSlot() const { return frame.results + frame.arguments + frame.locals + above; }
    int frameSlots() const { return frame.results + frame.arguments + 1 + frame.locals; }

    // Whether to do something wild this time: never in a careful program, once in
    // `times` in one that is sometimes wild, four times as often in one that is often.
    bool wild(int times);
    void emit(const std::string& instruction) { text.instruction(instruction); }
    void emitGlobalField(int word);
    void pushed(int slots) { above += slots; }

    FuzzChoices& choices;
    AssemblyText& text;
    const ProgramShape& program;
    const FrameShape& frame;
    const int firstCallable;
    const bool mayCallMethods;
    int above = 0;   // slots above the locals
    int nesting = 0; // compound statements around the one being written
    int loops = 0;   // loops around it, for the loop counters
    int regions = 0; // protected regions this body has entered and not left
};

template <class Write> void BodyWriter::simple(Write&& write) {
    const std::string reset = text.freshLabel();
    const int saved = above;
    emit("try *, " + reset);
    write();
    emitGlobalField(ProgramLayout::kResetExceptionWord);
    emit("load");
    emit("throw");
    text.label(reset);
    emit("adjust -1");
    above = saved;
}
