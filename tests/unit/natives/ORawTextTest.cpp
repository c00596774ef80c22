// The fixed-point library's text conversions: parsing digit by digit, and formatting in
// the exact form or with a count of decimals, rounded.
#include "TextTesting.h"
#include "fixed/ORaw.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ORaw;

constexpr OFixed fixed(TInt32 high, TUint32 low) {
    return fromWords(low, static_cast<TUint32>(high));
}

OFixed parsed(const char* text) {
    return parse(OString(text));
}

std::string formatted(OFixed value, TInt32 decimals) {
    return latin1(format(value, decimals));
}

TEST(ORawParse, ReadsSignsAndWhiteSpace) {
    EXPECT_EQ(parsed("  -1.5"), fixed(-2, 0x80000000u));
    EXPECT_EQ(parsed("\t\n 3"), fromInt(3));
    EXPECT_EQ(parsed("+++7"), fromInt(7));
    EXPECT_EQ(parsed("+-7"), fromInt(-7));
    EXPECT_EQ(parsed("-0"), 0);
}

TEST(ORawParse, IgnoresWhatFollowsTheNumber) {
    EXPECT_EQ(parsed("12abc"), fromInt(12));
    EXPECT_EQ(parsed("1.5.3"), fixed(1, 0x80000000u));
    EXPECT_EQ(parsed("1e5"), kOne);
    EXPECT_EQ(parsed("2 3"), fromInt(2));
}

TEST(ORawParse, SaturatesWhenTheIntegerPartIsTooLarge) {
    EXPECT_EQ(parsed("2147483647.5"), fixed(INT32_MAX, 0x80000000u));
    EXPECT_EQ(parsed("2147483648"), kMaximum);
    EXPECT_EQ(parsed("-2147483648"), kMinimum);
    EXPECT_EQ(parsed("99999999999999999999.5"), kMaximum);
    EXPECT_EQ(parsed("-2147483647.5"), fixed(INT32_MIN, 0x80000000u));
}

TEST(ORawParse, FractionDigitsAreTruncatedToUnits) {
    EXPECT_EQ(parsed("0.5"), fixed(0, 0x80000000u));
    EXPECT_EQ(parsed("0.1"), fixed(0, 429496729u));
    EXPECT_EQ(parsed("0.4294967295"), fixed(0, 1844674406u));
    // The eleventh digit would take the digits beyond 32 bits: it and the rest are ignored.
    EXPECT_EQ(parsed("0.42949672959999"), fixed(0, 1844674406u));
    EXPECT_EQ(parsed("0.99999999999"), fixed(0, 4294967291u));
    // Ten digits of 2^-32 after nine zeros come to just under one unit.
    EXPECT_EQ(parsed("0.00000000023283064365386962890625"), 0);
    EXPECT_EQ(parsed(("0." + std::string(40, '0') + "1").c_str()), 0);
}

TEST(ORawParse, TextWithoutDigitsIsNoNumber) {
    for (const char* text : {"", "   ", "-", "+", ".5", "1.", "-.5", "abc", "- 1"})
        EXPECT_EQ(raisedCode([text] { parsed(text); }), EDataFormat) << text;
}

TEST(ORawFormat, ExactFormWritesEveryFractionDigit) {
    EXPECT_EQ(formatted(kOne, -1), "1.0");
    EXPECT_EQ(formatted(fromInt(5), -1), "5.0");
    EXPECT_EQ(formatted(0, -1), "0.0");
    EXPECT_EQ(formatted(fixed(-2, 0x80000000u), -1), "-1.5");
    EXPECT_EQ(formatted(kSmallest, -1), "0.00000000023283064365386962890625");
    EXPECT_EQ(formatted(kMinimum, -1), "-2147483648.0");
    EXPECT_EQ(formatted(kMaximum, -1), "2147483647.99999999976716935634613037109375");
}

TEST(ORawFormat, DecimalsAreRoundedHalfUp) {
    EXPECT_EQ(formatted(fixed(1, 0x80000000u), 2), "1.50");
    EXPECT_EQ(formatted(fixed(0, 0x20000000u), 2), "0.13"); // 0.125
    EXPECT_EQ(formatted(fixed(0, 0x20000000u), 3), "0.125");
    EXPECT_EQ(formatted(fixed(2, 0x80000000u), 0), "3");
    EXPECT_EQ(formatted(fixed(2, 0x7FFFFFFFu), 0), "2");
    EXPECT_EQ(formatted(fromInt(7), 0), "7");
}

TEST(ORawFormat, CarriesIntoTheIntegerPart) {
    EXPECT_EQ(formatted(toFixed(9.999), 2), "10.00");
    EXPECT_EQ(formatted(toFixed(0.995), 2), "0.99"); // 0.99499... after truncation
    EXPECT_EQ(formatted(toFixed(-9.999), 1), "-10.0");
}

TEST(ORawFormat, NegativeValuesRoundTheirMagnitude) {
    EXPECT_EQ(formatted(fixed(-1, 0x80000000u), 0), "-1"); // -0.5
    EXPECT_EQ(formatted(fixed(-1, 0xC0000000u), 0), "-0"); // -0.25
    EXPECT_EQ(formatted(kMinimum, 2), "-2147483648.00");
}

TEST(ORawFormat, TheLargestIntegerPartKeepsItsDigitsBelowTheCarry) {
    EXPECT_EQ(formatted(kMaximum, 2), "2147483647.99");
    EXPECT_EQ(formatted(kMaximum, 0), "2147483647");
    EXPECT_EQ(formatted(-kMaximum, 3), "-2147483647.999");
}

TEST(ORawFormat, DigitsBeyondTheThirtySecondAreZeros) {
    EXPECT_EQ(formatted(kSmallest, 32), "0.00000000023283064365386962890625");
    EXPECT_EQ(formatted(kSmallest, 31), "0.0000000002328306436538696289063");
    EXPECT_EQ(formatted(kSmallest, 36), "0.000000000232830643653869628906250000");
    EXPECT_EQ(formatted(kOne, 40), "1." + std::string(40, '0'));
}

TEST(ORawFormat, FewerThanMinusOneDecimalsIsAnInvalidArgument) {
    EXPECT_EQ(raisedCode([] { format(kOne, -2); }), EInvalidArgument);
    EXPECT_EQ(raisedCode([] { format(kOne, INT32_MIN); }), EInvalidArgument);
}

} // namespace
