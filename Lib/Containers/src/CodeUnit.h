// Character classes and case mapping of single UTF-16 code units, as the platform's
// character tables define them. A surrogate half is neither letter, digit nor space and
// maps to itself. ASCII, by far the most common case, is answered here without a table
// look-up; the tables agree with these answers.
#pragma once

namespace CodeUnit {

char16_t lowerFromTable(char16_t unit);
char16_t upperFromTable(char16_t unit);
bool spaceFromTable(char16_t unit);
bool letterFromTable(char16_t unit);
bool digitFromTable(char16_t unit);

inline bool isAscii(char16_t unit) {
    return unit < 0x80;
}

inline char16_t toLower(char16_t unit) {
    if (!isAscii(unit)) return lowerFromTable(unit);
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
}

inline char16_t toUpper(char16_t unit) {
    if (!isAscii(unit)) return upperFromTable(unit);
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
}

inline bool isSpace(char16_t unit) {
    if (!isAscii(unit)) return spaceFromTable(unit);
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

inline bool isLetter(char16_t unit) {
    if (!isAscii(unit)) return letterFromTable(unit);
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

inline bool isDigit(char16_t unit) {
    if (!isAscii(unit)) return digitFromTable(unit);
    return unit >= u'0' && unit <= u'9';
}

} // namespace CodeUnit
