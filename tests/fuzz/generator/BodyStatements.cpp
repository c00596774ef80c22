// The statements of generated bodies.
#include "BodyWriter.h"

#include "NativePicker.h"
#include "NativeSignatures.h"
#include "Opcodes.h"

#include <span>
#include <string>

using namespace ProgramLayout;

namespace {

std::string number(long long value) {
    return std::to_string(value);
}

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
constexpr const char* kComparisons[] = {"eq", "lt", "le", "ne", "gt", "ge"};
constexpr const char* kFusedOperations[] = {"add", "sub", "mul", "and", "or", "xor", "shl"};

template <class T, std::size_t N> const T& oneOf(FuzzChoices& choices, const T (&values)[N]) {
    return choices.from(std::span<const T>(values));
}

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
        emit("newarray " + number(oneOf(choices, kElementSizes)));
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

template <class Write> void BodyWriter::simple(Write&& write) {
    const std::string reset = text.freshLabel();
    const int saved = above;
    emit("try *, " + reset);
    write();
    emitGlobalField(kResetExceptionWord);
    emit("load");
    emit("throw");
    text.label(reset);
    emit("adjust -1");
    above = saved;
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
        const int code = wild(32) ? choices.number(-128, 127) : oneOf(choices, kGcCodes);
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
                 number(wild(16) ? choices.number(-128, 127) : oneOf(choices, kElementSizes)));
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
            emit(oneOf(choices, kWordOperations));
            break;
        case 1:
            pushAddress();
            // Chains of loads follow the words they read.
            emit(wild(2) ? oneOf(choices, kAddressOperations) : "load");
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
        emit(choices.oneIn(4) ? oneOf(choices, kWordOperations) : "store");
    });
}

void BodyWriter::arithmetic() {
    simple([&] {
        pushOperand(choices.flag() ? Operand::Integer : Operand::Any, 0);
        if (choices.oneIn(4)) {
            emit(oneOf(choices, kUnaryOperations));
        } else {
            pushOperand(choices.flag() ? Operand::Integer : Operand::FrameSlot, 0);
            emit(oneOf(choices, kBinaryOperations));
        }
        storeTopIn(Kind::Integer, true);
    });
}

void BodyWriter::functionCall() {
    const int count = static_cast<int>(program.functions.size());
    if (firstCallable >= count) return nativeCall();
    const int callee = firstCallable + choices.index(count - firstCallable);
    const FrameShape& shape = program.functions[static_cast<std::size_t>(callee)];
    // The frame operand, now and then another function's layout or none.
    const std::string layout = wild(16) ? number(choices.number(-1, count)) : shape.name;
    const auto call = [&] {
        if (shape.results > 0) emit("adjust " + number(shape.results));
        pushed(shape.results);
        for (int i = 0; i < shape.arguments; ++i)
            pushAnyOperand(0);
        emit("call " + shape.name + ", " + layout);
        pushed(-shape.arguments);
    };
    if (choices.flag()) {
        simple([&] {
            call();
            if (shape.results > 0 && choices.flag()) storeTopIn(Kind::Any);
        });
        return;
    }
    // Unprotected: what the callee throws goes to the regions around this call.
    call();
    if (shape.results > 0) emit("adjust " + number(-shape.results));
    pushed(-shape.results);
}

void BodyWriter::methodCall() {
    std::vector<int> callable;
    for (std::size_t i = 0; i < program.methods.size(); ++i)
        if (program.methods[i].callableFromFunctions) callable.push_back(static_cast<int>(i));
    if (!mayCallMethods || callable.empty()) return nativeCall();
    const int record = choices.from(std::span<const int>(callable));
    const FrameShape& shape = program.methods[static_cast<std::size_t>(record)].frame;
    simple([&] {
        if (shape.results > 0) emit("adjust " + number(shape.results));
        pushed(shape.results);
        // The receiver: in careful programs an object whose class has an implementation.
        const std::vector<int>& classes = program.methods[static_cast<std::size_t>(record)].classes;
        const int receiver = choices.from(std::span<const int>(classes)) - 1;
        if (wild(4) || receiver < 0 || receiver >= kRegistersPerKind) {
            pushRegister(Kind::Object);
        } else {
            emitGlobalField(registerWord(Kind::Object, receiver));
            emit("load");
            pushed(1);
        }
        for (int i = 1; i < shape.arguments; ++i)
            pushAnyOperand(0);
        if (wild(8)) {
            pushInteger();
        } else {
            emit("pick " + number(-shape.arguments)); // the receiver's class
            emit("load");
            pushed(1);
        }
        emit("vcall " + number(record));
    });
}

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
        const std::string compare = oneOf(choices, kComparisons);
        const std::string operate = oneOf(choices, kFusedOperations);
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

void BodyWriter::frameSlotStore() {
    simple([&] {
        pushFrameSlot(true);
        pushAnyOperand(0);
        emit("store");
    });
}

// Throws an object (in wild programs any register's value); a null one stays on the stack
// and is dropped.
void BodyWriter::throwObject() {
    pushRegister(wild(2) ? static_cast<Kind>(choices.index(kKindCount)) : Kind::Object);
    emit("throw");
    emit("adjust -1");
    pushed(-1);
}

// Returns from inside a condition, leaving the protected regions entered on the way.
void BodyWriter::earlyReturn() {
    if (nesting == 0) return arithmetic();
    if (regions > 0) emit("untry " + number(-regions));
    const int locals = frame.locals + above;
    emit("ret " + number(locals) + ", " + number(locals + frame.arguments + 1));
}

void BodyWriter::condition() {
    const std::string otherwise = text.freshLabel();
    const std::string end = text.freshLabel();
    pushOperand(choices.flag() ? Operand::Integer : Operand::Any, 0);
    emit((choices.flag() ? "jz " : "jz.w ") + otherwise);
    pushed(-1);
    ++nesting;
    for (int i = choices.number(1, 3); i > 0; --i)
        statement();
    emit((choices.flag() ? "jmp " : "jmp.w ") + end);
    text.label(otherwise);
    for (int i = choices.index(3); i > 0; --i)
        statement();
    --nesting;
    text.label(end);
}

// A loop counted down in a global word.
void BodyWriter::counterLoop() {
    if (loops >= kCounterCount) return condition();
    const int counter = kFirstCounterWord + loops;
    const std::string top = text.freshLabel();
    const std::string end = text.freshLabel();
    emitGlobalField(counter);
    emit("push " + number(choices.number(0, 6)));
    emit("store");
    text.label(top);
    emitGlobalField(counter);
    emit("load");
    emit("jz " + end);
    emitGlobalField(counter);
    emit("dec.at");
    ++loops;
    ++nesting;
    for (int i = choices.number(1, 3); i > 0; --i)
        statement();
    --nesting;
    --loops;
    emit("jmp " + top);
    text.label(end);
}

// A loop counted up in a stack slot above the locals, the way compiled loops step.
void BodyWriter::stackLoop() {
    const std::string top = text.freshLabel();
    const std::string end = text.freshLabel();
    emit("push 0");
    pushed(1);
    text.label(top);
    emit("addr -1");
    emit("inc.at");
    emit("pick -1");
    emit("push " + number(choices.number(0, 6)));
    emit("le");
    emit("jz " + end);
    ++nesting;
    for (int i = choices.number(1, 3); i > 0; --i)
        statement();
    --nesting;
    emit("jmp " + top);
    text.label(end);
    emit("adjust -1");
    pushed(-1);
}

// A region whose handler catches one class (and its subclasses) or everything.
void BodyWriter::protectedRegion() {
    const std::string handler = text.freshLabel();
    const std::string end = text.freshLabel();
    const int caught = choices.number(-1, static_cast<int>(kClassNames.size()) - 1);
    emit("try " + (caught < 0 ? std::string("*") : number(caught)) + ", " + handler);
    ++regions;
    ++nesting;
    for (int i = choices.number(1, 3); i > 0; --i)
        statement();
    if (choices.flag()) throwObject();
    --nesting;
    --regions;
    emit("untry -1");
    emit("jmp " + end);
    text.label(handler);
    pushed(1);
    if (choices.flag()) storeTopIn(Kind::Any);
    emit("adjust -1");
    pushed(-1);
    text.label(end);
}
