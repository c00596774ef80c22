#include "CodeUnit.h"

#include <gtest/gtest.h>

namespace {

// The quick ASCII answers must be the platform tables' answers.
TEST(CodeUnit, AsciiAnswersMatchTheTables) {
    for (char16_t unit = 0; unit < 0x80; ++unit) {
        EXPECT_EQ(CodeUnit::toLower(unit), CodeUnit::lowerFromTable(unit)) << int(unit);
        EXPECT_EQ(CodeUnit::toUpper(unit), CodeUnit::upperFromTable(unit)) << int(unit);
        EXPECT_EQ(CodeUnit::isSpace(unit), CodeUnit::spaceFromTable(unit)) << int(unit);
        EXPECT_EQ(CodeUnit::isLetter(unit), CodeUnit::letterFromTable(unit)) << int(unit);
        EXPECT_EQ(CodeUnit::isDigit(unit), CodeUnit::digitFromTable(unit)) << int(unit);
    }
}

TEST(CodeUnit, OtherUnitsUseTheTables) {
    EXPECT_EQ(CodeUnit::toLower(u'\u00C9'), u'\u00E9');
    EXPECT_EQ(CodeUnit::toUpper(u'\u03B1'), u'\u0391');
    EXPECT_TRUE(CodeUnit::isSpace(u'\u00A0') && CodeUnit::isLetter(u'\u00E9') &&
                CodeUnit::isDigit(u'\u0663'));
    EXPECT_EQ(CodeUnit::toLower(char16_t{0xD800}), char16_t{0xD800})
        << "a surrogate half maps to itself";
}

} // namespace
