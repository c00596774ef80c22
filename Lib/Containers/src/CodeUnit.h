// Character classes and case mapping of single UTF-16 code units, as the platform's
// character tables define them. A surrogate half is neither letter, digit nor space and
// maps to itself.
#pragma once

namespace CodeUnit {

char16_t toLower(char16_t unit);
char16_t toUpper(char16_t unit);
bool isSpace(char16_t unit);
bool isLetter(char16_t unit);
bool isDigit(char16_t unit);

} // namespace CodeUnit
