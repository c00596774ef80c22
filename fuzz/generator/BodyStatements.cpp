// The statements of generated bodies that work on data: natives, allocation, memory access,
// forged records and arithmetic; and the choice among all statements.
#include "BodyWriter.h"

#include "NativePicker.h"
#include "NativeSignatures.h"
#include "Opcodes.h"

#include <span>
#include <string>

using namespace ProgramLayout;

namespace {

constexpr int kDeepestNesting = 3;

// Codes the allocation instructions accept.
constexpr int kGcCodes[] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17};
constexpr int kElementSizes[] = {1, 4, 8, 12, 16};

constexpr const char* kWordOperations[] = {
    "store",    "store.alt", "add.at",  "sub.at",   "mul.at",   "div.at",   "rem.at",   "and.at",
    "or.at",    "xor.at",    "shl.at",  "shr.at",   "add.b.at", "sub.b.at", "mul.b.at", "div.b.at",
    "rem.b.at", "and.b.at",  "or.b.at", "xor.b.at", "shl.b.at", "shr.b.at", "store.b",  "store.h",
};
constexpr const char* kAddressOperations[] = {
    "load",   "load2",   "load3",   "clear",    "inc.at",
    "dec.at", "clear.b", "clear.h", "inc.b.at", "dec.b.at",
};
constexpr const char* kBinaryOperations[] = {
    "add",  "sub",  "mul",  "div",   "rem",     "and",   "or",    "xor",  "shl",  "shr",
    "land", "lor",  "lxor", "lsame", "ldiffer", "eq",    "lt",    "le",   "ne",   "gt",
    "ge",   "eq.b", "lt.b", "le.b",  "ne.b",    "gt.b",  "ge.b",  "eq.h", "lt.h", "le.h",
    "ne.h", "gt.h", "ge.h", "div.b", "rem.b",   "shl.b", "shr.b",
};
constexpr const char* kUnaryOperations[] = {"neg", "not", "zext.b", "sext.b 1", "tostr"};

} // namespace

BodyWriter::BodyWriter(FuzzChoices& someChoices, AssemblyText& aText, const ProgramShape& aProgram,
                       const FrameShape& aFrame, int theFirstCallable, bool methods)
    : choices(someChoices), text(aText), program(aProgram), frame(aFrame),
      firstCallable(theFirstCallable), mayCallMethods(methods) {}

void BodyWriter::writeBody(int count) {
    if (frame.locals > 0) emit("adjust " + number(frame.locals));
    for (const int local : frame.arrayLocals) {
        if (!choices.flag()) continue;
        emit("addr " + number(slotOffset(frame.results + frame.arguments + 1 + local)));
        emit("newarray " + number(choices.oneOf(kElementSizes)));
    }
    for (int i = 0; i < count && !choices.exhausted(); ++i)
        statement();
    emit("ret " + number(frame.locals) + ", " + number(frame.locals + frame.arguments + 1));
}

void BodyWriter::statement() {
    struct Choice {
        int weight;
        void (BodyWriter::*write)();
        bool compound;
    };
    static constexpr Choice kStatements[] = {
        {8, &BodyWriter::nativeCall, false},    {3, &BodyWriter::allocation, false},
        {1, &BodyWriter::release, false},       {3, &BodyWriter::memoryAccess, false},
        {2, &BodyWriter::blockAccess, false},   {2, &BodyWriter::forgery, false},
        {2, &BodyWriter::arithmetic, false},    {3, &BodyWriter::functionCall, false},
        {1, &BodyWriter::methodCall, false},    {1, &BodyWriter::rawInstruction, false},
        {2, &BodyWriter::fusedSequence, false}, {1, &BodyWriter::frameSlotStore, false},
        {1, &BodyWriter::throwObject, false},   {1, &BodyWriter::earlyReturn, false},
        {2, &BodyWriter::condition, true},      {1, &BodyWriter::counterLoop, true},
        {1, &BodyWriter::stackLoop, true},      {2, &BodyWriter::protectedRegion, true},
    };
    int total = 0;
    for (const Choice& choice : kStatements)
        total += choice.weight;
    int pick = choices.index(total);
    for (const Choice& choice : kStatements) {
        if (pick >= choice.weight) {
            pick -= choice.weight;
            continue;
        }
        if (choice.compound && nesting >= kDeepestNesting) return nativeCall();
        const bool onlyWild =
            choice.write == &BodyWriter::forgery || choice.write == &BodyWriter::rawInstruction;
        if (onlyWild && program.wildness == Wildness::Careful) return nativeCall();
        return (this->*choice.write)();
    }
}

void BodyWriter::storeTopIn(Kind kind, bool sure) {
    if (!sure && program.wildness == Wildness::Careful) kind = Kind::Any;
    emitGlobalField(registerWord(kind, choices.index(kRegistersPerKind)));
    emit("pick -2");
    emit("store");
}

void BodyWriter::nativeCall() {
    simple([&] {
        const NativeChoice native = pickNative(choices, wild(2));
        const char* signature = nativeSignature(native.group, native.function);
        if (signature && !wild(4)) {
            for (const char* kind = signature; *kind != '\0'; ++kind) {
                if (wild(8)) {
                    pushAnyOperand(native.group);
                } else {
                    pushSignatureOperand(*kind, native.group);
                }
            }
        } else {
            for (int i = choices.number(0, 5); i > 0; --i)
                pushAnyOperand(native.group);
        }
        emit("native " + number(native.group) + ", " + number(native.function));
        if (choices.flag()) storeTopIn(static_cast<Kind>(choices.index(kKindCount)));
    });
}

void BodyWriter::allocation() {
    simple([&] {
        const int code = wild(32) ? choices.number(-128, 127) : choices.oneOf(kGcCodes);
        const TUint32 words =
            wild(8) ? choices.interestingWord() : static_cast<TUint32>(choices.index(12));
        Kind kind = choices.flag() ? Kind::Any : static_cast<Kind>(choices.index(kKindCount));
        switch (choices.index(8)) {
        case 0:
        case 1:
            emit("new " + number(code) + ", " + number(words));
            pushed(1);
            break;
        case 2:
            pushAddress();
            emit((choices.flag() ? "new.store " : "new.storekeep ") + number(code) + ", " +
                 number(words) + ", " + number(wild(8) ? choices.number(-2, 5) : choices.index(4)));
            break;
        case 3: {
            const int count = choices.index(6);
            for (int i = 0; i < count; ++i)
                pushAnyOperand(0);
            emit((choices.flag() ? "pack " : "pack.w ") + number(count));
            break;
        }
        case 4:
            pushAnyOperand(0);
            emit(choices.flag() ? "box" : "boxdata");
            break;
        case 5: emit("str " + number(choices.index(static_cast<int>(kTexts.size()) + 1))); break;
        case 6:
            pushArrayVariable(choices.number(1, 7));
            emit("newarray " +
                 number(wild(16) ? choices.number(-128, 127) : choices.oneOf(kElementSizes)));
            return;
        default:
            pushOperand(Operand::Integer, 0);
            emit("tostr");
            kind = wild(4) ? kind : Kind::String;
            break;
        }
        storeTopIn(kind, kind == Kind::String);
    });
}

// Frees a block a register holds; careful programs free only what the register held
// alone, and clear the register.
void BodyWriter::release() {
    simple([&] {
        if (wild(2)) {
            pushRegister(static_cast<Kind>(choices.index(kKindCount)));
            emit(choices.flag() ? "free" : "freecell");
            return;
        }
        const bool cell = choices.flag();
        const int word =
            registerWord(cell ? Kind::String : Kind::Any, choices.index(kRegistersPerKind));
        emitGlobalField(word);
        emit("load");
        emit(cell ? "freecell" : "free");
        emitGlobalField(word);
        emit("clear");
    });
}

void BodyWriter::memoryAccess() {
    simple([&] {
        switch (choices.index(4)) {
        case 0:
            pushAddress();
            pushAnyOperand(0);
            emit(choices.oneOf(kWordOperations));
            break;
        case 1:
            pushAddress();
            // Chains of loads follow the words they read.
            emit(wild(2) ? choices.oneOf(kAddressOperations) : "load");
            if (choices.flag()) storeTopIn(Kind::Any);
            break;
        case 2:
            pushAddress();
            emit("setclass " +
                 number(wild(8) ? choices.number(-3, 40) : choices.index(kClassNames.size())));
            break;
        default: {
            pushAddress();
            const int offset = wild(4) ? choices.number(-8, 2) : -1;
            const int loads = wild(2) ? choices.number(1, 3) : 1;
            if (choices.flag()) {
                emit("pick.ld" + number(loads) + " " + number(offset));
            } else {
                emit("pick.fld" + number(loads) + " " + number(offset) + ", " +
                     number(wild(4) ? choices.number(-8, 10) : choices.index(kObjectWords)));
            }
            pushed(1);
            if (choices.flag()) storeTopIn(Kind::Any);
        }
        }
    });
}

// Blocks of words: careful programs fill and copy a few scratch words and load a few.
void BodyWriter::blockAccess() {
    simple([&] {
        const bool wide = wild(4);
        const TUint32 count = wide ? choices.interestingWord()
                                   : static_cast<TUint32>(choices.index(kScratchWords + 1));
        const std::string width = wide ? ".w " : " ";
        const auto destination = [&] {
            if (wild(2)) return pushAddress();
            pushScratchAddress(static_cast<int>(count));
        };
        switch (choices.index(4)) {
        case 0:
            destination();
            emit("zero" + width + number(count));
            break;
        case 1:
            destination();
            pushAddress();
            emit("copy" + width + number(count));
            break;
        case 2:
            if (wild(2)) {
                pushAddress();
            } else {
                pushScratchAddress(static_cast<int>(count));
            }
            emit("loadn" + width + number(count));
            break;
        default:
            destination();
            for (TUint32 i = 0; i < count && i < kScratchWords; ++i)
                pushAnyOperand(0);
            emit("storen" + width + number(count));
        }
    });
}

// Overwrites a word that the machine relies on: an array variable or record, a string's
// cell, a block's header or class.
void BodyWriter::forgery() {
    simple([&] {
        const int array = arrayWord(choices.index(kArrayCount));
        switch (choices.index(5)) {
        case 0: emitGlobalField(array + choices.index(2)); break;
        case 1:
            emitGlobalField(array);
            emit("load");
            emit("field " + number(choices.index(4)));
            break;
        case 2:
            emitGlobalField(registerWord(Kind::String, choices.index(kRegistersPerKind)));
            emit("load");
            break;
        case 3:
            pushRegister(static_cast<Kind>(choices.index(kKindCount)));
            emit("field " + number(choices.number(-7, 0)));
            break;
        default:
            emitGlobalField(arrayWord(choices.index(kArrayCount)));
            emit("load");
            emit("field " + number(choices.index(4)));
            emit("load");
        }
        pushed(1);
        switch (choices.index(3)) {
        case 0: pushInteger(); break;
        case 1: pushRegister(static_cast<Kind>(choices.index(kKindCount))); break;
        default:
            pushRegister(static_cast<Kind>(choices.index(kKindCount)));
            emit("push " + number(choices.number(-64, 64)));
            emit("add");
        }
        emit(choices.oneIn(4) ? choices.oneOf(kWordOperations) : "store");
    });
}

void BodyWriter::arithmetic() {
    simple([&] {
        pushOperand(choices.flag() ? Operand::Integer : Operand::Any, 0);
        if (choices.oneIn(4)) {
            emit(choices.oneOf(kUnaryOperations));
        } else {
            pushOperand(choices.flag() ? Operand::Integer : Operand::FrameSlot, 0);
            emit(choices.oneOf(kBinaryOperations));
        }
        storeTopIn(Kind::Integer, true);
    });
}

void BodyWriter::frameSlotStore() {
    simple([&] {
        pushFrameSlot(true);
        pushAnyOperand(0);
        emit("store");
    });
}
