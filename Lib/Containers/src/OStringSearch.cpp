// OString searching and comparison.
#include "OString.h"

#include "CodeUnit.h"

#include <algorithm>

namespace {

char16_t folded(char16_t unit, bool caseSensitive) {
    return caseSensitive ? unit : CodeUnit::toLower(unit);
}

bool sameUnits(std::u16string_view a, std::u16string_view b, bool caseSensitive) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [caseSensitive](char16_t x, char16_t y) {
                          return folded(x, caseSensitive) == folded(y, caseSensitive);
                      });
}

TInt32 compareUnits(std::u16string_view a, std::u16string_view b, bool caseSensitive) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const TInt32 difference = folded(a[i], caseSensitive) - folded(b[i], caseSensitive);
        if (difference != 0) return difference;
    }
    return static_cast<TInt32>(a.size()) - static_cast<TInt32>(b.size());
}

// Finds where a pattern stands in a text: candidates are the positions whose first unit
// matches; there the rest is compared.
class PatternMatch {
public:
    PatternMatch(std::u16string_view aText, std::u16string_view aPattern, bool aCaseSensitive)
        : text(aText.data()), pattern(aPattern), caseSensitive(aCaseSensitive),
          first(folded(aPattern[0], aCaseSensitive)) {}

    // The text must hold the pattern's length of units at `at`.
    bool at(TInt32 position) const {
        const char16_t* units = text + position;
        if (folded(units[0], caseSensitive) != first) return false;
        for (std::size_t k = 1; k < pattern.size(); ++k) {
            if (folded(units[k], caseSensitive) != folded(pattern[k], caseSensitive)) return false;
        }
        return true;
    }

private:
    const char16_t* text;
    std::u16string_view pattern;
    bool caseSensitive;
    char16_t first;
};

std::u16string_view part(std::u16string_view text, TextRange checked) {
    return text.substr(static_cast<std::size_t>(checked.from),
                       static_cast<std::size_t>(checked.count()));
}

} // namespace

TInt32 OString::find(std::u16string_view pattern, TextRange range, bool caseSensitive,
                     Direction direction) const {
    return findInChecked(pattern, checkedRange(range), caseSensitive, direction);
}

TInt32 OString::findInChecked(std::u16string_view pattern, TextRange checked, bool caseSensitive,
                              Direction direction) const {
    const auto patternLength = static_cast<TInt32>(pattern.size());
    if (pattern.empty() || checked.count() < patternLength) return -1;
    const PatternMatch matches(view(), pattern, caseSensitive);
    const TInt32 lastStart = checked.to - patternLength + 1;
    const TInt32 step = direction == Forwards ? 1 : -1;
    const TInt32 stop = direction == Forwards ? lastStart + 1 : checked.from - 1;
    for (TInt32 i = direction == Forwards ? checked.from : lastStart; i != stop; i += step) {
        if (matches.at(i)) return i;
    }
    return -1;
}

namespace {

// Calls `found` with the start of each occurrence in the checked range, left to right;
// after a match the search goes on behind it.
template <class Found>
void forEachOccurrence(std::u16string_view text, std::u16string_view pattern, TextRange checked,
                       bool caseSensitive, Found found) {
    if (pattern.empty() || checked.to < checked.from) return;
    const auto patternLength = static_cast<TInt32>(pattern.size());
    if (caseSensitive) { // units compare as they are: the library's search does it
        const std::u16string_view searched =
            text.substr(0, static_cast<std::size_t>(checked.to) + 1);
        for (std::size_t at = searched.find(pattern, static_cast<std::size_t>(checked.from));
             at != std::u16string_view::npos; at = searched.find(pattern, at + pattern.size()))
            found(static_cast<TInt32>(at));
        return;
    }
    const PatternMatch match(text, pattern, caseSensitive);
    for (TInt32 i = checked.from; i <= checked.to - patternLength + 1;) {
        if (match.at(i)) {
            found(i);
            i += patternLength;
        } else {
            ++i;
        }
    }
}

} // namespace

TInt32 OString::countUnits(std::u16string_view pattern, TextRange range, bool caseSensitive) const {
    TInt32 matches = 0;
    forEachOccurrence(view(), pattern, checkedRange(range), caseSensitive,
                      [&](TInt32) { ++matches; });
    return matches;
}

std::vector<TInt32> OString::occurrences(const OString& pattern, bool caseSensitive) const {
    std::vector<TInt32> starts;
    forEachOccurrence(view(), pattern.view(), {0, length() - 1}, caseSensitive,
                      [&](TInt32 at) { starts.push_back(at); });
    return starts;
}

bool OString::startsWith(const OString& pattern, bool caseSensitive) const {
    if (isEmpty() || pattern.isEmpty() || pattern.length() > length()) return false;
    return sameUnits(view().substr(0, pattern.view().size()), pattern.view(), caseSensitive);
}

bool OString::endsWith(const OString& pattern, bool caseSensitive) const {
    if (isEmpty() || pattern.isEmpty() || pattern.length() > length()) return false;
    const std::size_t start = view().size() - pattern.view().size();
    return sameUnits(view().substr(start), pattern.view(), caseSensitive);
}

TInt32 OString::compare(const OString& other, bool caseSensitive) const {
    if (sharesTextWith(other)) return 0;
    return compareUnits(view(), other.view(), caseSensitive);
}

TInt32 OString::compare(TextRange range, const OString& other, bool caseSensitive) const {
    return compareUnits(part(view(), checkedRange(range)), other.view(), caseSensitive);
}

bool OString::equals(const OString& other, bool caseSensitive) const {
    if (length() != other.length()) return false;
    return pBuffer == other.pBuffer || sameUnits(view(), other.view(), caseSensitive);
}

bool OString::regionEquals(TextRange range, const OString& other, bool caseSensitive) const {
    const TextRange checked = checkedRange(range);
    if (checked.count() == 0 || checked.count() != other.length()) return false;
    return sameUnits(part(view(), checked), other.view(), caseSensitive);
}
