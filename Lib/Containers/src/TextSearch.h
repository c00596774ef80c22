// TextSearch: finding a pattern of UTF-16 code units in a text, comparing units exactly or,
// without case, after CodeUnit::toLower.
#pragma once

#include "CodeUnit.h"
#include "Types.h"

#include <string_view>

namespace TextSearch {

inline char16_t folded(char16_t unit, bool caseSensitive) {
    return caseSensitive ? unit : CodeUnit::toLower(unit);
}

// Tells whether a non-empty pattern stands at a place in a text: the first unit is compared
// first, the rest only then.
class PatternMatch {
public:
    PatternMatch(std::u16string_view aPattern, bool aCaseSensitive)
        : pattern(aPattern), caseSensitive(aCaseSensitive),
          first(folded(aPattern[0], aCaseSensitive)) {}

    std::u16string_view patternUnits() const { return pattern; }
    bool ignoresCase() const { return !caseSensitive; }
    char16_t foldedFirst() const { return first; }
    // `units` must hold the pattern's length of units.
    bool at(const char16_t* units) const {
        if (folded(units[0], caseSensitive) != first) return false;
        for (std::size_t k = 1; k < pattern.size(); ++k) {
            if (folded(units[k], caseSensitive) != folded(pattern[k], caseSensitive)) return false;
        }
        return true;
    }

private:
    std::u16string_view pattern;
    bool caseSensitive;
    char16_t first;
};

// Finds a non-empty pattern in texts. Without case, a unit can start a match only when it is
// the pattern's folded first unit, the ASCII upper case of that, or outside ASCII (where the
// tables decide), so only there is the pattern compared.
class Finder {
public:
    Finder(std::u16string_view aPattern, bool aCaseSensitive)
        : match(aPattern, aCaseSensitive), upperFirst(CodeUnit::toUpper(match.foldedFirst())) {}

    std::size_t length() const { return match.patternUnits().size(); }

    // Calls found(start) for each occurrence in the text from `from` (at most the text's
    // length) on, left to right; after a match the search goes on behind it.
    template <class Found> void forEach(std::u16string_view text, TInt32 from, Found found) const {
        const std::u16string_view pattern = match.patternUnits();
        const std::size_t patternLength = pattern.size();
        if (!match.ignoresCase()) { // units compare as they are: the library's search does it
            for (std::size_t at = text.find(pattern, static_cast<std::size_t>(from));
                 at != std::u16string_view::npos; at = text.find(pattern, at + patternLength))
                found(static_cast<TInt32>(at));
            return;
        }
        if (text.size() < patternLength) return;
        const char16_t* const units = text.data();
        const char16_t* const last = units + (text.size() - patternLength);
        const char16_t first = match.foldedFirst();
        for (const char16_t* unit = units + from; unit <= last;) {
            const char16_t u = *unit;
            if ((u == first || u == upperFirst || !CodeUnit::isAscii(u)) && match.at(unit)) {
                found(static_cast<TInt32>(unit - units));
                unit += patternLength;
            } else {
                ++unit;
            }
        }
    }

private:
    PatternMatch match;
    char16_t upperFirst;
};

} // namespace TextSearch
