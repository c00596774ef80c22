#include "CodeUnit.h"

#include <QChar>

namespace CodeUnit {

// Case mapping of a BMP code unit never leaves the BMP, so the narrowing is lossless.
char16_t toLower(char16_t unit) {
    return static_cast<char16_t>(QChar::toLower(unit));
}

char16_t toUpper(char16_t unit) {
    return static_cast<char16_t>(QChar::toUpper(unit));
}

bool isSpace(char16_t unit) {
    return QChar::isSpace(unit);
}

bool isLetter(char16_t unit) {
    return QChar::isLetter(unit);
}

bool isDigit(char16_t unit) {
    return QChar::isDigit(unit);
}

} // namespace CodeUnit
