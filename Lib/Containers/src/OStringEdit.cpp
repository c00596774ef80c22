// OString editing in place: insertion, replacement, removal, trimming and case mapping.
#include "OString.h"

#include "CAppsString.h"
#include "CodeUnit.h"
#include "ErrorCodes.h"

#include <algorithm>

namespace {

void requireInsertionIndex(TInt32 index, TInt32 length) {
    if (index < 0 || index > length) throwError(EIndexOutOfBounds);
}

void requireCountUpTo(TInt32 n, TInt32 length) {
    if (n < 0 || n > length) throwError(EInvalidArgument);
}

} // namespace

void OString::insertTo(TInt32 index, const OString& source, TextRange part) {
    const TextRange checked = source.checkedRange(part);
    if (checked.count() == 0) return;
    requireInsertionIndex(index, length());
    if (isEmpty()) KESTRO_ASSERT(!pBuffer);
    splice(index, 0,
           source.view().substr(static_cast<std::size_t>(checked.from),
                                static_cast<std::size_t>(checked.count())));
}

void OString::insertTo(TInt32 index, char16_t unit) {
    requireInsertionIndex(index, length());
    splice(index, 0, {&unit, 1});
}

void OString::repeat(TInt32 times) {
    if (times < 0) throwError(EInvalidArgument);
    if (times == 1 || isEmpty()) return;
    CAppsString repeated;
    repeated.reserve(checkedLength(static_cast<TInt64>(length()) * times));
    for (TInt32 i = 0; i < times; ++i)
        repeated.append(view());
    splice(0, length(), repeated.view());
}

void OString::replaceRange(TextRange range, std::u16string_view text) {
    const TextRange checked = checkedRange(range);
    if (checked.count() > 0) splice(checked.from, checked.count(), text);
}

void OString::replaceOne(std::u16string_view pattern, std::u16string_view replacement,
                         TextRange range, bool caseSensitive, Direction direction) {
    const TInt32 at = find(pattern, range, caseSensitive, direction);
    if (at >= 0) splice(at, static_cast<TInt32>(pattern.size()), replacement);
}

// The result is assembled apart, so that neither the pattern nor the replacement may be
// overwritten while it is still read, even when they are this string's own text.
void OString::replaceEvery(std::u16string_view pattern, std::u16string_view replacement,
                           TextRange range, bool caseSensitive) {
    const TextRange checked = checkedRange(range);
    TInt32 at = findInChecked(pattern, checked, caseSensitive, Forwards);
    if (at < 0) return;
    const std::u16string_view text = view();
    CAppsString result;
    TInt32 copied = 0;
    for (; at >= 0; at = findInChecked(pattern, {copied, checked.to}, caseSensitive, Forwards)) {
        result.append(
            text.substr(static_cast<std::size_t>(copied), static_cast<std::size_t>(at - copied)));
        result.append(replacement);
        copied = at + static_cast<TInt32>(pattern.size());
    }
    result.append(text.substr(static_cast<std::size_t>(copied)));
    splice(0, length(), result.view());
}

void OString::removeAt(TInt32 index) {
    if (index < 0 || index >= length()) throwError(EIndexOutOfBounds);
    splice(index, 1, {});
}

void OString::removeStart(TInt32 n) {
    requireCountUpTo(n, length());
    splice(0, n, {});
}

void OString::removeEnd(TInt32 n) {
    requireCountUpTo(n, length());
    splice(length() - n, n, {});
}

void OString::trimStart() {
    const std::u16string_view text = view();
    const auto kept = std::find_if_not(text.begin(), text.end(), CodeUnit::isSpace);
    splice(0, static_cast<TInt32>(kept - text.begin()), {});
}

void OString::trimEnd() {
    const std::u16string_view text = view();
    const auto kept = std::find_if_not(text.rbegin(), text.rend(), CodeUnit::isSpace);
    const auto trailing = static_cast<TInt32>(kept - text.rbegin());
    splice(length() - trailing, trailing, {});
}

void OString::trim() {
    const std::u16string_view text = view();
    const auto first = std::find_if_not(text.begin(), text.end(), CodeUnit::isSpace);
    if (first == text.end()) {
        clear();
        return;
    }
    const auto last = std::find_if_not(text.rbegin(), text.rend(), CodeUnit::isSpace).base();
    const auto n = static_cast<TInt32>(last - first);
    KESTRO_ASSERT(n > 0);
    CAppsString collapsed;
    collapsed.reserve(n);
    for (auto unit = first; unit != last; ++unit) {
        if (unit == first || !CodeUnit::isSpace(*unit) || !CodeUnit::isSpace(unit[-1]))
            collapsed.append(*unit);
    }
    if (collapsed.size() < length()) splice(0, length(), collapsed.view());
}

void OString::makeLowerCase() {
    char16_t* text = editableUnits();
    std::transform(text, text + length(), text, CodeUnit::toLower);
}

void OString::makeUpperCase() {
    char16_t* text = editableUnits();
    std::transform(text, text + length(), text, CodeUnit::toUpper);
}
