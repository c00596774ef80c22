// Raw instructions, and the instruction sequences that the decoder fuses, with operands
// that probe the edges of both.
#include "BodyWriter.h"

#include "Opcodes.h"

#include <string>

using namespace ProgramLayout;

namespace {

constexpr const char* kComparisons[] = {"eq", "lt", "le", "ne", "gt", "ge"};
constexpr const char* kFusedOperations[] = {"add", "sub", "mul", "and", "or", "xor", "shl"};

} // namespace

// Any opcode with operand bytes of the fuzzer's choice; the class-method call is left
// out, since the loader refuses a module whose call names a record it lacks.
void BodyWriter::rawInstruction() {
    simple([&] {
        const int operands = choices.index(4);
        for (int i = 0; i < operands; ++i)
            pushAnyOperand(0);
        int opcode = choices.index(256);
        if (opcode == static_cast<int>(Opcode::ClassMethodCall)) opcode = 0;
        std::string bytes = ".byte " + number(opcode);
        for (int i = 0; i < opcodeInfo(static_cast<TUint8>(opcode)).operandBytes; ++i)
            bytes += ", " + number(choices.index(256));
        emit(bytes);
    });
}

// The instruction sequences the decoder fuses, with operands that mostly name slots that
// exist.
void BodyWriter::fusedSequence() {
    simple([&] {
        pushAddress();
        if (wild(2)) {
            pushOperand(Operand::Integer, 0);
        } else {
            emit("push " + number(choices.index(8)));
            pushed(1);
        }
        // A slot to read, and one that holds an address (the one pushed, in careful
        // programs).
        const auto slot = [&] {
            return wild(4) ? choices.number(-20, 3)
                           : slotOffset(choices.index(frameSlots() + above));
        };
        const auto addressSlot = [&] { return wild(2) ? slot() : -2; };
        const auto value = [&] { return number(choices.interestingWord()); };
        const std::string after = text.freshLabel();
        const std::string compare = choices.oneOf(kComparisons);
        const std::string operate = choices.oneOf(kFusedOperations);
        switch (choices.index(14)) {
        case 0:
            emit("pick " + number(slot()));
            emit("push " + value());
            emit(compare);
            emit("jz " + after);
            break;
        case 1:
            emit("pick " + number(slot()));
            emit("pick " + number(slot() - 1));
            emit(compare);
            emit("jz " + after);
            break;
        case 2:
            emit(compare);
            emit(choices.flag() ? "jz " + after : "jz.w " + after);
            break;
        case 3: {
            const int counter = choices.flag() ? -1 : writableSlotOffset();
            emit("addr " + number(counter));
            emit("inc.at");
            emit("pick " + number(counter));
            emit("push " + value());
            emit(compare);
            emit("jz " + after);
            break;
        }
        case 4:
            emit("pick " + number(slot()));
            emit("push " + value());
            emit(operate);
            break;
        case 5:
            emit("push " + value());
            emit(operate);
            break;
        case 6:
            emit("push " + value());
            emit("pick " + number(slot() - 1));
            emit("push " + value());
            emit(operate);
            break;
        case 7:
            emit("addr " + number(writableSlotOffset()));
            emit(choices.flag() ? "inc.at" : "dec.at");
            break;
        case 8:
            emit("addr " + number(writableSlotOffset()));
            emit("pick " + number(slot() - 1));
            emit(choices.index(3) == 0 ? "add.at" : choices.flag() ? "sub.at" : "store");
            break;
        case 9:
            emit("pick " + number(addressSlot()));
            emit("clear");
            if (choices.flag()) break;
            emit("addr " + number(writableSlotOffset()));
            emit("pick " + number(slot() - 1));
            emit("add.at");
            break;
        case 10:
            emit("pick " + number(addressSlot()));
            emit(choices.flag() ? "dup" : "field " + number(choices.number(wild(4) ? -8 : 0, 8)));
            emit("load");
            break;
        case 11:
            emit("globals");
            emit("field " +
                 number(wild(4) ? choices.number(-8, kGlobalWords + 8) : choices.index(20)));
            if (choices.flag()) emit("load");
            break;
        case 12:
            emit("pick " + number(addressSlot()));
            emit("pick -2");
            emit("push " + number(choices.number(0, 4)));
            emit("shl");
            emit("add");
            emit("load");
            break;
        default: emit("add"); emit(choices.flag() ? "load" : "store");
        }
        text.label(after);
    });
}
