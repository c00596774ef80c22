// ORaw's text conversions. They work digit by digit on the raw value, without floating
// point, so that every text is exact.
#include "CodeUnit.h"
#include "ErrorHandling.h"
#include "ORaw.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace ORaw {

namespace {

// Powers of ten up to the largest that fits in 64 bits.
constexpr std::array<TUint64, 20> kPowersOfTen = [] {
    std::array<TUint64, 20> powers{};
    TUint64 power = 1;
    for (TUint64& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

bool isDecimal(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

TUint32 digitValue(char16_t unit) {
    return static_cast<TUint32>(unit - u'0');
}

// Reads a text from a position on, one character at a time.
class Reader {
public:
    Reader(std::u16string_view aText, std::size_t start) : text(aText), at(start) {}
    bool next(char16_t unit) const { return at < text.size() && text[at] == unit; }
    bool nextIsDigit() const { return at < text.size() && isDecimal(text[at]); }
    void skip() { ++at; }
    TUint32 digit() { return digitValue(text[at++]); }

private:
    std::u16string_view text;
    std::size_t at;
};

std::size_t afterSpace(std::u16string_view text) {
    return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), CodeUnit::isSpace) -
                                    text.begin());
}

// The low word of the fraction digits after the point: the first k digits whose value D
// fits in 32 bits give floor(D * 2^32 / 10^k); the digits after them are ignored.
TUint32 fractionWord(Reader& reader) {
    if (!reader.nextIsDigit()) throwError(EDataFormat);
    TUint64 digits = 0;
    std::size_t count = 0;
    while (reader.nextIsDigit()) {
        const TUint64 extended = digits * 10 + reader.digit();
        if (extended > UINT32_MAX) break;
        digits = extended;
        ++count;
    }
    // From 20 digits on, 10^k exceeds D * 2^32.
    if (count >= kPowersOfTen.size()) return 0;
    return static_cast<TUint32>((digits << 32) / kPowersOfTen[count]);
}

// The next fraction digit: the carry out of the low word when it is multiplied by 10.
char16_t nextDigit(TUint32& fraction) {
    const TUint64 product = TUint64{fraction} * 10;
    fraction = static_cast<TUint32>(product);
    return static_cast<char16_t>(u'0' + (product >> 32));
}

std::u16string exactFraction(TUint32 fraction) {
    std::u16string digits;
    do {
        digits += nextDigit(fraction);
    } while (fraction != 0);
    return digits;
}

// After 32 digits the fraction is 0, and so is every further digit.
constexpr TInt32 kSignificantDigits = 32;

// Adds one to the last digit, carrying; returns whether the carry left the first digit.
bool carriedOut(std::u16string& digits) {
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        if (*digit != u'9') {
            ++*digit;
            return false;
        }
        *digit = u'0';
    }
    return true;
}

// The first `decimals` fraction digits, the last one rounded half up; the integer part
// takes a carry that leaves them. At the largest integer part the digits become all 9.
std::u16string roundedFraction(TUint32& integer, TUint32 fraction, TInt32 decimals) {
    std::u16string digits;
    for (TInt32 i = 0; i < std::min(decimals, kSignificantDigits); ++i)
        digits += nextDigit(fraction);
    if (nextDigit(fraction) < u'5' || !carriedOut(digits)) return digits;
    if (integer == INT32_MAX) return std::u16string(digits.size(), u'9');
    ++integer;
    return digits;
}

std::u16string decimalText(TUint32 value) {
    const OString text = OString::number(value);
    return std::u16string(text.view());
}

} // namespace

OFixed parse(const OString& text) {
    Reader reader(text.view(), afterSpace(text.view()));
    while (reader.next(u'+'))
        reader.skip();
    const bool negative = reader.next(u'-');
    if (negative) reader.skip();
    if (!reader.nextIsDigit()) throwError(EDataFormat);
    TUint64 integer = 0;
    while (reader.nextIsDigit()) {
        integer = integer * 10 + reader.digit();
        if (integer > INT32_MAX) return negative ? kMinimum : kMaximum;
    }
    TUint32 fraction = 0;
    if (reader.next(u'.')) {
        reader.skip();
        fraction = fractionWord(reader);
    }
    const OFixed value = fromWords(fraction, static_cast<TUint32>(integer));
    return negative ? -value : value;
}

OString format(OFixed value, TInt32 decimals) {
    if (decimals < -1) throwError(EInvalidArgument);
    // A negative value is written as '-' and its magnitude: the minimum as 2147483648.
    const auto bits = static_cast<TUint64>(value);
    const TUint64 magnitude = value < 0 ? 0 - bits : bits;
    auto integer = static_cast<TUint32>(magnitude >> 32);
    const auto fraction = static_cast<TUint32>(magnitude);
    const std::u16string digits =
        decimals == -1 ? exactFraction(fraction) : roundedFraction(integer, fraction, decimals);
    std::u16string text = value < 0 ? u"-" : u"";
    text += decimalText(integer);
    if (!digits.empty()) text += u'.';
    text += digits;
    OString result(text);
    if (decimals > kSignificantDigits)
        result.append(OString::filled(u'0', decimals - kSignificantDigits));
    return result;
}

} // namespace ORaw
