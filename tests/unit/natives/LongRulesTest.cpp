// The arithmetic of longs: wrapping, division, and shifts by any count.
#include "number/LongRules.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

namespace {

using namespace LongRules;

constexpr TInt64 kMax = INT64_MAX;
constexpr TInt64 kMin = INT64_MIN;

TEST(LongRules, ArithmeticWrapsAround) {
    EXPECT_EQ(add(kMax, 1), kMin);
    EXPECT_EQ(subtract(kMin, 1), kMax);
    EXPECT_EQ(multiply(kMax, 2), -2);
    EXPECT_EQ(multiply(TInt64{1} << 32, TInt64{1} << 32), 0);
    EXPECT_EQ(negate(kMin), kMin);
}

TEST(LongRules, DivisionTruncatesTowardsZero) {
    EXPECT_EQ(divide(-7, 2), -3);
    EXPECT_EQ(remainder(-7, 2), -1);
    EXPECT_EQ(remainder(7, -2), 1);
    EXPECT_EQ(divide(kMin, -1), kMin);
    EXPECT_EQ(remainder(kMin, -1), 0);
}

TEST(LongRules, DivisionByZeroIsAnError) {
    EXPECT_EQ(raisedCode([] { divide(1, 0); }), EDivisionByZero);
    EXPECT_EQ(latin1(lastErrorMessage()), "DivisionByZeroException: Division by zero.");
    EXPECT_EQ(raisedCode([] { remainder(1, 0); }), EDivisionByZero);
}

TEST(LongRules, ShiftsUpTo63MoveBits) {
    EXPECT_EQ(shiftLeft(1, 63), kMin);
    EXPECT_EQ(shiftRight(-8, 1), -4);
    EXPECT_EQ(shiftRight(kMin, 63), -1);
    EXPECT_EQ(shiftRight(kMax, 62), 1);
}

TEST(LongRules, ShiftsFrom64OnShiftEverythingOut) {
    for (const TInt64 count : {64, 100, 255, 256, 1000, 0x7FFFFFFF}) {
        EXPECT_EQ(shiftLeft(-1, count), 0) << count;
        EXPECT_EQ(shiftRight(-8, count), -1) << count;
        EXPECT_EQ(shiftRight(8, count), 0) << count;
    }
}

TEST(LongRules, OnlyTheLowWordOfTheCountCounts) {
    EXPECT_EQ(shiftLeft(1, (TInt64{1} << 32) + 3), 8);
    EXPECT_EQ(shiftLeft(1, TInt64{1} << 32), 1);
}

TEST(LongRules, NegativeCountsShiftTheOtherWay) {
    EXPECT_EQ(shiftLeft(-8, -1), -4);
    EXPECT_EQ(shiftRight(3, -2), 12);
    EXPECT_EQ(shiftLeft(-8, -64), -1);
    EXPECT_EQ(shiftRight(1, -64), 0);
    EXPECT_EQ(shiftLeft(-8, INT32_MIN), -1);
    EXPECT_EQ(shiftRight(-8, INT32_MIN), 0);
    EXPECT_EQ(shiftLeft(5, 0xFFFFFFFF), 2); // the low word -1
}

} // namespace
