// String natives 50 to 53: split a string at a separator into a new array of strings.
#include "ErrorHandling.h"
#include "OVector.h"
#include "ScopedRoot.h"
#include "StringFamilies.h"

#include <vector>

namespace {

constexpr TInt32 kReferenceBytes = 4;

// The pieces between the separators, found left to right without overlap, and the piece
// after the last one; empty pieces are dropped. A text without the separator has none.
std::vector<TextRange> pieces(const OString& text, const OString& separator, bool caseSensitive) {
    std::vector<TextRange> found;
    TInt32 start = 0;
    bool separated = false;
    while (start < text.length()) {
        const TInt32 at = text.indexOf(separator, {start, TextRange::ToEnd}, caseSensitive);
        if (at < 0) break;
        separated = true;
        if (at > start) found.push_back({start, at - 1});
        start = at + separator.length();
    }
    if (separated && start < text.length()) found.push_back({start, text.length() - 1});
    return found;
}

// A new array of new strings, held by a new object-array variable; returns the variable.
// The variable is a root while the strings are made, and each string is in the array
// before the next allocation.
TVMAddress newStringArray(NativeCall& call, const OString& text,
                          const std::vector<TextRange>& parts) {
    VMHeap& heap = call.heap();
    const TVMAddress variable =
        OVector::createInVariable(heap, kReferenceBytes, GC_CODE_OBJECT_ARRAY_REF);
    const ScopedRoot keep(heap, variable);
    OVector array(heap, call.memory().load32(variable));
    array.splice(0, 0, std::vector<TUint8>(parts.size() * kReferenceBytes));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const TVMAddress cell = call.newString(text.substring(parts[i]));
        call.memory().store32(array.elementAddress(static_cast<TInt32>(i)), cell);
    }
    return variable;
}

} // namespace

bool splitString(NativeCall& call, TInt32 number) {
    if (number < 50 || number > 53) return false;
    // Variant bit 0: a flag; bit 1: the separator is a character.
    const TInt32 variant = number - 50;
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString separator = textOrUnit(call, variant & 2);
    const OString& text = call.string();
    std::vector<TextRange> parts;
    if (!text.isEmpty()) {
        if (separator.isEmpty()) throwError(EInvalidArgument);
        parts = pieces(text, separator, caseSensitive);
    }
    call.answer(newStringArray(call, text, parts));
    return true;
}
