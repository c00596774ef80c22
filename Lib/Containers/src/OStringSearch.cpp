// OString searching and comparison.
#include "OString.h"

#include "TextSearch.h"

#include <algorithm>

using TextSearch::folded;

namespace {

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
    const TextSearch::PatternMatch matches(pattern, caseSensitive);
    const char16_t* const text = units();
    const TInt32 lastStart = checked.to - patternLength + 1;
    const TInt32 step = direction == Forwards ? 1 : -1;
    const TInt32 stop = direction == Forwards ? lastStart + 1 : checked.from - 1;
    for (TInt32 i = direction == Forwards ? checked.from : lastStart; i != stop; i += step) {
        if (matches.at(text + i)) return i;
    }
    return -1;
}

TInt32 OString::countUnits(std::u16string_view pattern, TextRange range, bool caseSensitive) const {
    const TextRange checked = checkedRange(range);
    if (pattern.empty() || checked.to < checked.from) return 0;
    TInt32 matches = 0;
    TextSearch::Finder(pattern, caseSensitive)
        .forEach(view().substr(0, static_cast<std::size_t>(checked.to) + 1), checked.from,
                 [&](TInt32) { ++matches; });
    return matches;
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
