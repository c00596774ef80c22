#include "CheckRange.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

namespace {

// The message of the RangeException the check raises, or "" when it accepts.
std::string rangeMessage(TInt32 low, TInt32 size, TInt32 first, TInt32 count) {
    if (raisedCode([&] { checkRange(low, size, first, count); }) == 0) return "";
    EXPECT_EQ(lastErrorCode(), ERange);
    return latin1(lastErrorMessage());
}

TEST(CheckRange, ANegativeCountReachesTheEnd) {
    TInt32 count = -1;
    checkRange(0, 10, 4, count);
    EXPECT_EQ(count, 6);
    count = -1;
    checkRange(5, 10, 15, count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(rangeMessage(0, 10, 11, -1),
              "RangeException: Invalid Range, first should not be more than 10, first = 11");
    EXPECT_EQ(rangeMessage(2, 10, 1, -5),
              "RangeException: Invalid Range, first should not be less than 2, first = 1");
}

TEST(CheckRange, APositiveCountMustFit) {
    EXPECT_EQ(rangeMessage(0, 10, 8, 2), "");
    EXPECT_EQ(rangeMessage(0, 10, 8, 3),
              "RangeException: Invalid Range, range out of bounds: 11 > 10");
    EXPECT_EQ(rangeMessage(3, 10, 2, 1),
              "RangeException: Invalid Range, first should not be less than3, first =  2");
    EXPECT_EQ(rangeMessage(0, 10, 2147483647, 2147483647),
              "RangeException: Invalid Range, range out of bounds: 4294967294 > 10")
        << "no wrap-around";
}

TEST(CheckRange, AnEmptyRangeNeedsOnlyANonNegativeFirst) {
    EXPECT_EQ(rangeMessage(0, 10, 50, 0), "");
    EXPECT_EQ(rangeMessage(0, 10, -1, 0),
              "RangeException: Invalid Range, first should be non-negative (first=-1)");
}

} // namespace
