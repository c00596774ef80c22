// The fixed-point library's integer operations: saturating arithmetic, conversions to
// int and from real numbers, and division.
#include "TextTesting.h"
#include "fixed/ORaw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace ORaw;

constexpr OFixed fixed(TInt32 high, TUint32 low) {
    return fromWords(low, static_cast<TUint32>(high));
}
constexpr OFixed kHalf = fixed(0, 0x80000000u);

TEST(ORawLayout, WordsOfKnownValues) {
    EXPECT_EQ(kOne, fixed(1, 0));
    EXPECT_EQ(-kHalf, fixed(-1, 0x80000000u));
    EXPECT_EQ(highWord(kMaximum), INT32_MAX);
    EXPECT_EQ(lowWord(kMaximum), 0xFFFFFFFFu);
    EXPECT_EQ(highWord(kMinimum), INT32_MIN);
    EXPECT_EQ(lowWord(kMinimum), 0u);
    EXPECT_EQ(fromInt(-3), fixed(-3, 0));
    EXPECT_EQ(toReal(kPi), 3.0 + 608135817.0 / 4294967296.0);
}

TEST(ORawAdd, SaturatesAtBothEnds) {
    EXPECT_EQ(add(kOne, kHalf), fixed(1, 0x80000000u));
    EXPECT_EQ(add(kMaximum, kSmallest), kMaximum);
    EXPECT_EQ(add(kMaximum, kMaximum), kMaximum);
    EXPECT_EQ(add(kMinimum, -kSmallest), kMinimum);
    EXPECT_EQ(add(kMinimum, kMaximum), -kSmallest);
}

TEST(ORawSubtract, SaturatesAtBothEnds) {
    EXPECT_EQ(subtract(kMinimum, kSmallest), kMinimum);
    EXPECT_EQ(subtract(0, kMinimum), kMaximum);
    EXPECT_EQ(subtract(-kSmallest, kMinimum), kMaximum); // no wrap: exactly the maximum
    EXPECT_EQ(subtract(kMaximum, -kSmallest), kMaximum);
    EXPECT_EQ(subtract(kOne, kHalf), kHalf);
}

TEST(ORawSignChanges, TheLimitsTradePlaces) {
    EXPECT_EQ(negate(kMaximum), kMinimum);
    EXPECT_EQ(negate(kMinimum), kMaximum);
    EXPECT_EQ(negate(kHalf), -kHalf);
    EXPECT_EQ(ORaw::abs(kMinimum), kMaximum);
    EXPECT_EQ(ORaw::abs(-kOne), kOne);
    EXPECT_EQ(ORaw::abs(kOne), kOne);
}

TEST(ORawMultiply, KeepsTheExactProductTruncated) {
    EXPECT_EQ(multiply(fixed(1, 0x80000000u), fromInt(-2)), fromInt(-3));
    EXPECT_EQ(multiply(kSmallest, kHalf), 0);
    EXPECT_EQ(multiply(-kSmallest, kHalf), 0); // towards zero
    EXPECT_EQ(multiply(fixed(0, 3), kHalf), 1);
    EXPECT_EQ(multiply(fixed(0, 3), -kHalf), -1);
    EXPECT_EQ(multiply(fromInt(46340), fromInt(46340)), fromInt(2147395600));
}

TEST(ORawMultiply, SaturatesWithTheSignOfTheProduct) {
    EXPECT_EQ(multiply(fromInt(65536), fromInt(65536)), kMaximum);
    EXPECT_EQ(multiply(fromInt(-65536), fromInt(65536)), kMinimum);
    EXPECT_EQ(multiply(kMinimum, kMinimum), kMaximum);
    EXPECT_EQ(multiply(kMinimum, kOne), kMinimum + 1); // the minimum counts as the maximum
    EXPECT_EQ(multiply(kMaximum, kOne), kMaximum);
    EXPECT_EQ(multiply(kMaximum, -kOne), -kMaximum);
}

TEST(ORawDivide, GoesThroughDoubles) {
    EXPECT_EQ(divide(kOne, fromInt(3)), fixed(0, 1431655765u));
    EXPECT_EQ(divide(fromInt(-7), fromInt(2)), fixed(-4, 0x80000000u));
    EXPECT_EQ(divide(kMaximum, kSmallest), kMaximum);
    EXPECT_EQ(divide(kMaximum, -kSmallest), kMinimum);
    EXPECT_EQ(raisedCode([] { divide(kOne, 0); }), EMathError);
}

TEST(ORawToFixed, TruncatesAndSaturates) {
    EXPECT_EQ(toFixed(1.5), fixed(1, 0x80000000u));
    EXPECT_EQ(toFixed(-0.5), -kHalf);
    EXPECT_EQ(toFixed(1e-12), 0);
    EXPECT_EQ(toFixed(-1e-12), 0);
    EXPECT_EQ(toFixed(2147483648.0), kMaximum);
    EXPECT_EQ(toFixed(-2147483648.0), kMinimum);
    EXPECT_EQ(toFixed(std::numeric_limits<TReal>::infinity()), kMaximum);
    EXPECT_EQ(toFixed(-std::numeric_limits<TReal>::infinity()), kMinimum);
    EXPECT_EQ(raisedCode([] { toFixed(std::nan("")); }), EMathError);
}

TEST(ORawToInt, FloorIsTheHighWord) {
    EXPECT_EQ(ORaw::floor(fixed(2, 1)), 2);
    EXPECT_EQ(ORaw::floor(-kHalf), -1);
    EXPECT_EQ(ORaw::floor(kMinimum), INT32_MIN);
}

TEST(ORawToInt, CeilingStopsAtTheLargestInt) {
    EXPECT_EQ(ceiling(fixed(2, 1)), 3);
    EXPECT_EQ(ceiling(fromInt(2)), 2);
    EXPECT_EQ(ceiling(-kHalf), 0);
    EXPECT_EQ(ceiling(fixed(INT32_MAX, 0x80000000u)), INT32_MAX);
}

TEST(ORawToInt, RoundTakesHalvesAwayFromZero) {
    EXPECT_EQ(ORaw::round(fixed(2, 0x80000000u)), 3);
    EXPECT_EQ(ORaw::round(fixed(2, 0x7FFFFFFFu)), 2);
    EXPECT_EQ(ORaw::round(fixed(-3, 0x80000000u)), -3); // -2.5
    EXPECT_EQ(ORaw::round(fixed(-3, 0x80000001u)), -2); // just above -2.5
    EXPECT_EQ(ORaw::round(toFixed(-2.4)), -2);
    EXPECT_EQ(ORaw::round(fixed(INT32_MAX, 0x80000000u)), INT32_MAX);
    EXPECT_EQ(ORaw::round(kMinimum), INT32_MIN);
    EXPECT_EQ(ORaw::round(fixed(INT32_MIN, 0x80000000u)), INT32_MIN);     // -2147483647.5
    EXPECT_EQ(ORaw::round(fixed(INT32_MIN, 0x99999999u)), INT32_MIN + 1); // -2147483647.4
}

} // namespace
