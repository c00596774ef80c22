// String natives 57 to 68, 93, 94, 119 to 128, 151, 152 and 154: editing in place. They
// change the string object itself, so every cell that refers to it sees the change, while
// strings that only share its text keep theirs. All operands are popped.
#include "ErrorHandling.h"
#include "StringFamilies.h"

#include <utility>

namespace {

// Reads a string or, for the character forms, a character operand and hands it to `edit`;
// a character is used as it is, without making a string of it. The string is not copied:
// an edit that inserts the string's own text builds its result in a fresh block.
template <class Edit> void withText(NativeCall& call, bool isUnit, Edit edit) {
    if (isUnit)
        edit(call.unit());
    else
        edit(std::as_const(call.string()));
}

} // namespace

namespace StringNatives {

void insert(NativeCall& call, TInt32 isUnit) {
    const TInt32 position = call.integer();
    withText(call, isUnit, [&](const auto& text) { call.string().insertTo(position, text); });
    call.pop();
}

void insertPart(NativeCall& call, TInt32) {
    const TInt32 position = call.integer();
    const TextRange part = textRange(call);
    const OString source = call.string();
    call.string().insertTo(position, source, part);
    call.pop();
}

void prepend(NativeCall& call, TInt32 isUnit) {
    withText(call, isUnit, [&](const auto& text) { call.string().prepend(text); });
    call.pop();
}

void append(NativeCall& call, TInt32 isUnit) {
    withText(call, isUnit, [&](const auto& text) { call.string().append(text); });
    call.pop();
}

void repeat(NativeCall& call, TInt32) {
    const TInt32 times = call.integer();
    call.string().repeat(times);
    call.pop();
}

void replaceRange(NativeCall& call, TInt32 isUnit) {
    withText(call, isUnit, [&](const auto& text) {
        const TextRange range = textRange(call);
        call.string().replace(range, text);
    });
    call.pop();
}

void removeAt(NativeCall& call, TInt32) {
    const TInt32 index = call.integer();
    call.string().removeAt(index);
    call.pop();
}

// Unlike the other edits, the empty range raises RangeException here.
void removeRange(NativeCall& call, TInt32) {
    const TextRange range = textRange(call);
    OString& text = call.string();
    if (isEmptyRange(range, text)) throwError(ERange);
    text.remove(range);
    call.pop();
}

void dropFirst(NativeCall& call, TInt32) {
    call.string().removeStart(1);
    call.pop();
}

void dropFirstN(NativeCall& call, TInt32) {
    const TInt32 n = call.integer();
    call.string().removeStart(n);
    call.pop();
}

void dropLast(NativeCall& call, TInt32) {
    call.string().removeEnd(1);
    call.pop();
}

void dropLastN(NativeCall& call, TInt32) {
    const TInt32 n = call.integer();
    call.string().removeEnd(n);
    call.pop();
}

void clear(NativeCall& call, TInt32) {
    call.string().clear();
    call.pop();
}

void trimStart(NativeCall& call, TInt32) {
    call.string().trimStart();
    call.pop();
}

void trimEnd(NativeCall& call, TInt32) {
    call.string().trimEnd();
    call.pop();
}

void trim(NativeCall& call, TInt32) {
    call.string().trim();
    call.pop();
}

void makeLowerCase(NativeCall& call, TInt32) {
    call.string().makeLowerCase();
    call.pop();
}

void makeUpperCase(NativeCall& call, TInt32) {
    call.string().makeUpperCase();
    call.pop();
}

// A range of length 0 is an insertion point, any other range is replaced.
void insertOrReplace(NativeCall& call, TInt32) {
    const OString replacement = call.string();
    const RangeOperand range = call.range();
    OString& text = call.string();
    if (range.length == 0)
        text.insertTo(range.first, replacement);
    else
        text.replace(TextRange::ofCount(range.first, range.length), replacement);
    call.pop();
}

// The same with a part of the other string.
void insertOrReplacePart(NativeCall& call, TInt32) {
    const RangeOperand range = call.range();
    const OString source = call.string();
    const TextRange part = textRange(call);
    OString& text = call.string();
    if (range.length == 0)
        text.insertTo(range.first, source, part);
    else
        text.replace(TextRange::ofCount(range.first, range.length), source.substring(part));
    call.pop();
}

} // namespace StringNatives
