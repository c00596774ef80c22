// The operands that statements push: values from the registers, the arrays and the
// frame, constants, and addresses that mostly lie in the machine's memory.
#include "BodyWriter.h"

#include "AddressSpace.h"
#include "ProgramLayout.h"

#include <algorithm>
#include <string>

using namespace ProgramLayout;

namespace {

constexpr int kCharacters[] = {0,   9,    32,   44,     48,     65,     97,
                               122, 0xC4, 0xE9, 0xD800, 0xDC00, 0xFFFF, 0x10000};

} // namespace

int BodyWriter::slotOffset(int slot) const {
    return slot - topSlot() - 1;
}

void BodyWriter::emitGlobalField(int word) {
    emit("globals");
    emit("field " + number(word));
}

bool BodyWriter::wild(int times) {
    switch (program.wildness) {
    case Wildness::Careful: return false;
    case Wildness::Sometimes: return choices.oneIn(times);
    case Wildness::Often: break;
    }
    return choices.oneIn(std::max(1, times / 4));
}

void BodyWriter::pushInteger() {
    emit("push " + number(choices.interestingWord()));
    pushed(1);
}

void BodyWriter::pushRegister(Kind kind) {
    emitGlobalField(registerWord(kind, choices.index(kRegistersPerKind)));
    emit("load");
    pushed(1);
}

void BodyWriter::pushRegisterAddress(Kind kind) {
    emitGlobalField(registerWord(kind, choices.index(kRegistersPerKind)));
    pushed(1);
}

// The array variable of the group's element kind, mostly; others, and the array
// fields of objects and frames, now and then.
void BodyWriter::pushArrayVariable(int arrayGroup) {
    switch (choices.index(8)) {
    case 0:
        pushRegister(Kind::Object);
        emit("field " + number(choices.flag() ? kReferenceArrayField : kValueArrayField));
        return;
    case 1:
        if (!frame.arrayLocals.empty()) {
            const int local = choices.from(std::span<const int>(frame.arrayLocals));
            emit("addr " + number(slotOffset(frame.results + frame.arguments + 1 + local)));
            pushed(1);
            return;
        }
        [[fallthrough]];
    case 2: emitGlobalField(arrayWord(choices.index(kArrayCount))); break;
    default: {
        int matching = choices.index(kArrayCount);
        for (int i = 0; i < kArrayCount; ++i)
            if (kArrayGroups[static_cast<std::size_t>((matching + i) % kArrayCount)] ==
                arrayGroup) {
                matching = (matching + i) % kArrayCount;
                break;
            }
        emitGlobalField(arrayWord(matching));
    }
    }
    pushed(1);
}

int BodyWriter::writableSlotOffset() {
    const int slot = choices.index(frameSlots() + above);
    const int local = slot - (frame.results + frame.arguments + 1);
    bool arrayVariable = false;
    for (const int first : frame.arrayLocals)
        arrayVariable = arrayVariable || local == first || local == first + 1;
    if ((local == -1 || arrayVariable) && !wild(2)) return slotOffset(topSlot());
    return slotOffset(slot);
}

void BodyWriter::pushFrameSlot(bool address) {
    if (address) {
        emit("addr " + number(writableSlotOffset()));
    } else {
        emit("pick " + number(slotOffset(choices.index(frameSlots() + above))));
    }
    pushed(1);
}

// An address to read or write through: mostly a register, an object's field, a long's
// words or a frame slot; in wild programs also array records, string cells, any value of
// a register and numbers.
void BodyWriter::pushAddress() {
    if (wild(3)) {
        switch (choices.index(5)) {
        case 0:
            emitGlobalField(arrayWord(choices.index(kArrayCount)) + choices.index(2));
            emit("load");
            emit("field " + number(choices.number(-7, 5)));
            return pushed(1);
        case 1: return pushRegister(Kind::String);
        case 2: return pushRegister(choices.flag() ? Kind::Any : Kind::Integer);
        case 3:
            emit("push " + number(AddressSpace::kFirstValid + 4 * choices.number(0, 4096)));
            return pushed(1);
        default: return pushInteger();
        }
    }
    switch (choices.index(5)) {
    case 0:
        return pushRegisterAddress(wild(2)          ? static_cast<Kind>(choices.index(kKindCount))
                                   : choices.flag() ? Kind::Integer
                                                    : Kind::Any);
    case 1:
        pushRegister(Kind::Object);
        emit("field " + number(wild(4) ? choices.number(-7, kObjectWords + 1)
                                       : choices.from(std::span<const int>(kPlainFields))));
        return;
    case 2:
        pushRegister(Kind::Long);
        emit("field " + number(choices.index(2)));
        return;
    case 3: return pushScratchAddress(1);
    default: return pushFrameSlot(true);
    }
}

void BodyWriter::pushScratchAddress(int words) {
    const int room = kScratchWords - std::clamp(words, 1, kScratchWords) + 1;
    emitGlobalField(kFirstScratchWord + choices.index(room));
    pushed(1);
}

void BodyWriter::pushOperand(Operand kind, int arrayGroup) {
    switch (kind) {
    case Operand::Integer:
        if (choices.flag()) return pushRegister(Kind::Integer);
        return pushInteger();
    case Operand::Character:
        emit("push " + number(choices.from(std::span<const int>(kCharacters))));
        return pushed(1);
    case Operand::Text:
        if (choices.oneIn(4)) {
            emit("str \"" + std::string(choices.from(std::span<const std::string_view>(kTexts))) +
                 "\"");
            return pushed(1);
        }
        return pushRegister(Kind::String);
    case Operand::Object: return pushRegister(Kind::Object);
    case Operand::Long: return pushRegister(Kind::Long);
    case Operand::Any: return pushRegister(Kind::Any);
    case Operand::Array: return pushArrayVariable(arrayGroup);
    case Operand::Address: return pushAddress();
    case Operand::Fixed:
        emit("push64 " + number(static_cast<long long>(
                             choices.flag() ? choices.doubleWord()
                                            : TUint64{choices.interestingWord()} << 16)));
        return pushed(2);
    case Operand::Null: emit("push 0"); return pushed(1);
    case Operand::FrameSlot: return pushFrameSlot(false);
    case Operand::Count: break;
    }
}

void BodyWriter::pushAnyOperand(int arrayGroup) {
    pushOperand(static_cast<Operand>(choices.index(static_cast<int>(Operand::Count))), arrayGroup);
}

void BodyWriter::pushSignatureOperand(char kind, int group) {
    switch (kind) {
    case 's': return pushOperand(Operand::Text, group);
    case 'c': return pushOperand(Operand::Character, group);
    case 'f': emit(choices.flag() ? "push 1" : "push 0"); return pushed(1);
    case 'r':
        for (int i = 0; i < 2; ++i) {
            emit("push " + number(wild(4) ? static_cast<long long>(choices.interestingWord())
                                          : choices.number(i == 0 ? 0 : -1, 8)));
            pushed(1);
        }
        return;
    case 'a': return pushArrayVariable(group);
    case 'b': return pushArrayVariable(1);
    case 'e':
        if (group == 7) return pushRegister(choices.flag() ? Kind::Object : Kind::String);
        for (int slot = 0; slot < (group >= 4 && group <= 6 ? group - 2 : 1); ++slot)
            pushInteger();
        return;
    case 'l': return pushOperand(Operand::Long, group);
    case 'x': return pushOperand(Operand::Fixed, group);
    case 'v': // up to four words (a rectangle) are written there
        if (!wild(2)) return pushScratchAddress(4);
        if (choices.flag()) return pushFrameSlot(true);
        return pushRegisterAddress(choices.flag() ? Kind::Integer : Kind::Any);
    case 'h': return pushRegisterAddress(Kind::Any);
    case 'o': return pushOperand(Operand::Object, group);
    default: return pushOperand(Operand::Integer, group);
    }
}
