// Statements that change the flow: calls, throws, returns, conditions, loops and protected
// regions.
#include "BodyWriter.h"

#include <string>

using namespace ProgramLayout;

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
