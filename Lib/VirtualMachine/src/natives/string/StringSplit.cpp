// String natives 50 to 53: split a string at a separator into a new array of strings.
#include "ErrorHandling.h"
#include "StringArray.h"
#include "StringFamilies.h"

#include <string_view>
#include <utility>
#include <vector>

namespace {

// Adds the piece of the text in the range; a piece equal to the one before shares its
// text (it is copied when either is changed).
void addPiece(std::vector<OString>& found, const OString& text, TextRange range) {
    const std::u16string_view piece = text.view().substr(static_cast<std::size_t>(range.from),
                                                         static_cast<std::size_t>(range.count()));
    if (!found.empty() && found.back().view() == piece) {
        OString shared = found.back();
        found.push_back(std::move(shared));
        return;
    }
    found.emplace_back(piece);
}

// The pieces between the separators, found left to right without overlap, and the piece
// after the last one; empty pieces are dropped. A text without the separator has none.
std::vector<OString> pieces(const OString& text, const OString& separator, bool caseSensitive) {
    std::vector<OString> found;
    const std::vector<TInt32> separators = text.occurrences(separator, caseSensitive);
    if (separators.empty()) return found;
    found.reserve(separators.size() + 1);
    TInt32 start = 0;
    for (const TInt32 at : separators) {
        if (at > start) addPiece(found, text, {start, at - 1});
        start = at + separator.length();
    }
    if (start < text.length()) addPiece(found, text, {start, text.length() - 1});
    return found;
}

} // namespace

bool splitString(NativeCall& call, TInt32 number) {
    if (number < 50 || number > 53) return false;
    // Variant bit 0: a flag; bit 1: the separator is a character.
    const TInt32 variant = number - 50;
    const bool caseSensitive = caseRule(call, variant & 1);
    const OString separator = textOrUnit(call, variant & 2);
    const OString& text = call.string();
    std::vector<OString> parts;
    if (!text.isEmpty()) {
        if (separator.isEmpty()) throwError(EInvalidArgument);
        parts = pieces(text, separator, caseSensitive);
    }
    call.answer(newStringArray(call, parts));
    return true;
}
