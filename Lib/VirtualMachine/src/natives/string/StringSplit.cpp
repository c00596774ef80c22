// String natives 50 to 53: split a string at a separator into a new array of strings.
#include "ErrorHandling.h"
#include "StringArray.h"
#include "StringFamilies.h"
#include "TextSearch.h"

#include <string_view>
#include <vector>

namespace {

// Calls visit(piece) for the pieces of a text between the occurrences of a separator, found
// left to right without overlap, and for the piece after the last one. Empty pieces are
// left out, and a text without the separator has none.
template <class Visit>
void forEachPiece(std::u16string_view text, const TextSearch::Finder& separator, Visit visit) {
    std::size_t start = 0;
    bool separatorSeen = false;
    separator.forEach(text, 0, [&](TInt32 at) {
        const auto end = static_cast<std::size_t>(at);
        if (end > start) visit(text.substr(start, end - start));
        start = end + separator.length();
        separatorSeen = true;
    });
    if (separatorSeen && start < text.size()) visit(text.substr(start));
}

} // namespace

namespace StringNatives {

// Variant bit 0: a flag; bit 1: the separator is a character.
void split(NativeCall& call, TInt32 variant) {
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString separator = textOrUnit(call, variant & 2);
    // A copy shares the text, which so stays whole while the pieces are made.
    const OString text = call.string();
    if (text.isEmpty()) {
        call.answer(newStringArray(call, std::vector<OString>()));
        return;
    }
    if (separator.isEmpty()) throwError(EInvalidArgument);
    const TextSearch::Finder finder(separator.view(), caseSensitive);
    TInt32 count = 0;
    forEachPiece(text.view(), finder, [&](std::u16string_view) { ++count; });
    call.answer(newStringArray(call, count, [&](auto add) {
        // A piece equal to the one before shares its text (copied when either is changed).
        OString previous;
        forEachPiece(text.view(), finder, [&](std::u16string_view piece) {
            if (previous.view() != piece) previous = OString(piece);
            add(previous);
        });
    }));
}

} // namespace StringNatives
