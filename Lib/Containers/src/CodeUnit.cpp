#include "CodeUnit.h"

#include <QChar>

namespace CodeUnit {

// Case mapping of a BMP code unit never leaves the BMP, so the narrowing is lossless.
char16_t lowerFromTable(char16_t unit) {
    return static_cast<char16_t>(QChar::toLower(unit));
}

char16_t upperFromTable(char16_t unit) {
    return static_cast<char16_t>(QChar::toUpper(unit));
}

bool spaceFromTable(char16_t unit) {
    return QChar::isSpace(unit);
}

bool letterFromTable(char16_t unit) {
    return QChar::isLetter(unit);
}

bool digitFromTable(char16_t unit) {
    return QChar::isDigit(unit);
}

} // namespace CodeUnit
