// String natives 57 to 68, 93, 94, 119 to 128, 151, 152 and 154: editing in place. They
// change the string object itself, so every cell that refers to it sees the change, while
// strings that only share its text keep theirs.
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

// 57 to 68: insertion, appending, repetition and range replacement.
void insertOrReplace(NativeCall& call, TInt32 number) {
    switch (number) {
    case 57:
    case 58: {
        const TInt32 position = call.integer();
        withText(call, number == 58,
                 [&](const auto& text) { call.string().insertTo(position, text); });
        break;
    }
    case 59: {
        const TInt32 position = call.integer();
        const TextRange part = textRange(call);
        const OString source = call.string();
        call.string().insertTo(position, source, part);
        break;
    }
    case 60:
    case 61:
        withText(call, number == 61, [&](const auto& text) { call.string().prepend(text); });
        break;
    case 66: {
        const TInt32 times = call.integer();
        call.string().repeat(times);
        break;
    }
    case 67:
    case 68:
        withText(call, number == 68, [&](const auto& text) {
            const TextRange range = textRange(call);
            call.string().replace(range, text);
        });
        break;
    default: // 62 to 65
        withText(call, number % 2 == 1, [&](const auto& text) { call.string().append(text); });
        break;
    }
}

// 93, 94, 119 to 128: removal, trimming and case.
void removeOrTrim(NativeCall& call, TInt32 number) {
    switch (number) {
    case 93: {
        const TInt32 index = call.integer();
        call.string().removeAt(index);
        return;
    }
    case 94: {
        const TextRange range = textRange(call);
        OString& text = call.string();
        if (isEmptyRange(range, text)) throwError(ERange);
        text.remove(range);
        return;
    }
    case 120:
    case 122: {
        const TInt32 n = call.integer();
        OString& text = call.string();
        if (number == 120)
            text.removeStart(n);
        else
            text.removeEnd(n);
        return;
    }
    default: break;
    }
    OString& text = call.string();
    switch (number) {
    case 119: text.removeStart(1); return;
    case 121: text.removeEnd(1); return;
    case 123: text.clear(); return;
    case 124: text.trimStart(); return;
    case 125: text.trimEnd(); return;
    case 126: text.trim(); return;
    case 127: text.makeLowerCase(); return;
    default: text.makeUpperCase(); return; // 128
    }
}

// 152: a range of length 0 is an insertion point, any other range is replaced.
void insertOrReplaceRange(NativeCall& call) {
    const OString replacement = call.string();
    const RangeOperand range = call.range();
    OString& text = call.string();
    if (range.length == 0)
        text.insertTo(range.first, replacement);
    else
        text.replace(TextRange::ofCount(range.first, range.length), replacement);
}

// 154: the same with a part of the other string.
void insertOrReplaceWithPart(NativeCall& call) {
    const RangeOperand range = call.range();
    const OString source = call.string();
    const TextRange part = textRange(call);
    OString& text = call.string();
    if (range.length == 0)
        text.insertTo(range.first, source, part);
    else
        text.replace(TextRange::ofCount(range.first, range.length), source.substring(part));
}

} // namespace

bool editString(NativeCall& call, TInt32 number) {
    if (number >= 57 && number <= 68)
        insertOrReplace(call, number);
    else if (number == 93 || number == 94 || (number >= 119 && number <= 128))
        removeOrTrim(call, number);
    else if (number == 152)
        insertOrReplaceRange(call);
    else if (number == 154)
        insertOrReplaceWithPart(call);
    else
        return number == 151; // no operation: the stack stays untouched
    call.pop();
    return true;
}
