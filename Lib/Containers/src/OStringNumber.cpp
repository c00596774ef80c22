// OString number conversions: formatting in decimal and in a radix, and parsing.
#include "OString.h"

#include "CodeUnit.h"
#include "ErrorCodes.h"

#include <algorithm>
#include <array>

namespace {

constexpr TInt32 MinRadix = 2;
constexpr TInt32 MaxRadix = 36;

bool isRadix(TInt32 radix) {
    return radix >= MinRadix && radix <= MaxRadix;
}

void requireRadix(TInt32 radix) {
    if (!isRadix(radix)) throwError(EInvalidArgument);
}

// Digits of the magnitude in the radix, lower-case letters, after an optional '-'.
OString digitText(TUint64 magnitude, TUint32 radix, bool negative) {
    std::array<char16_t, 65> text{}; // 64 binary digits and a sign
    auto start = text.end();
    do {
        const auto digit = static_cast<char16_t>(magnitude % radix);
        *--start = static_cast<char16_t>(digit < 10 ? u'0' + digit : u'a' + digit - 10);
        magnitude /= radix;
    } while (magnitude != 0);
    if (negative) *--start = u'-';
    return OString(std::u16string_view(start, static_cast<std::size_t>(text.end() - start)));
}

// The value of a digit or letter (either case); MaxRadix for any other unit, which is no
// digit in any radix.
TUint32 digitValue(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (unit >= u'a' && unit <= u'z') return unit - u'a' + 10u;
    if (unit >= u'A' && unit <= u'Z') return unit - u'A' + 10u;
    return MaxRadix;
}

std::size_t afterSpace(std::u16string_view text) {
    return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), CodeUnit::isSpace) -
                                    text.begin());
}

// Reads the digits of the radix from `position` on, wrapping around in 32 bits. No digit
// at all raises DataFormatException.
TUint32 wrappingDigits(std::u16string_view text, std::size_t position, TUint32 radix) {
    TUint32 value = 0;
    std::size_t end = position;
    for (; end < text.size() && digitValue(text[end]) < radix; ++end)
        value = value * radix + digitValue(text[end]);
    if (end == position) throwError(EDataFormat);
    return value;
}

} // namespace

OString OString::number(TInt64 value) {
    const auto bits = static_cast<TUint64>(value);
    return digitText(value < 0 ? 0 - bits : bits, 10, value < 0);
}

OString OString::numberInRadix(TUint32 value, TInt32 radix) {
    if (!isRadix(radix)) return {};
    return digitText(value, static_cast<TUint32>(radix), false);
}

// An optional '+' may come before the '-', so "+-0" reads as 0.
TInt32 OString::toInt() const {
    const std::u16string_view text = view();
    std::size_t position = afterSpace(text);
    if (position < text.size() && text[position] == u'+') ++position;
    const bool negative = position < text.size() && text[position] == u'-';
    if (negative) ++position;
    const TUint32 magnitude = wrappingDigits(text, position, 10);
    return static_cast<TInt32>(negative ? 0 - magnitude : magnitude);
}

TInt32 OString::toInt(TInt32 radix) const {
    requireRadix(radix);
    const std::u16string_view text = view();
    return static_cast<TInt32>(wrappingDigits(text, afterSpace(text), static_cast<TUint32>(radix)));
}

TUint64 OString::toUint64(TInt32 radix, bool& ok) const {
    requireRadix(radix);
    const std::u16string_view text = view();
    const std::size_t start = afterSpace(text);
    TUint64 value = 0;
    ok = false;
    for (std::size_t position = start; position < text.size(); ++position) {
        const TUint32 digit = digitValue(text[position]);
        TUint64 next = 0;
        if (digit >= static_cast<TUint32>(radix) ||
            __builtin_mul_overflow(value, static_cast<TUint64>(radix), &next) ||
            __builtin_add_overflow(next, digit, &next))
            return value;
        value = next;
    }
    ok = start < text.size();
    return value;
}
