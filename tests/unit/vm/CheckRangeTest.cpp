#include "CheckRange.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// A range of `count` units from `first` checked against the bounds low and size; the
// outcome is the count the check leaves or the text of the RangeException it raises.
struct RangeCase {
    TInt32 low, size, first, count;
    const char* outcome;
};

TEST(CheckRange, CountsAndMessages) {
    const std::string range = "RangeException: Invalid Range, ";
    const RangeCase cases[] = {
        // A negative count reaches the end.
        {0, 10, 4, -1, "6"},
        {5, 10, 15, -1, "0"},
        {0, 10, 11, -1, "first should not be more than 10, first = 11"},
        {2, 10, 1, -5, "first should not be less than 2, first = 1"},
        // A positive count must fit, without wrap-around.
        {0, 10, 8, 2, "2"},
        {0, 10, 8, 3, "range out of bounds: 11 > 10"},
        {3, 10, 2, 1, "first should not be less than3, first =  2"},
        {0, 10, INT_MAX, INT_MAX, "range out of bounds: 4294967294 > 10"},
        // An empty range needs only a non-negative first.
        {0, 10, 50, 0, "0"},
        {0, 10, -1, 0, "first should be non-negative (first=-1)"},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.outcome);
        TInt32 count = c.count;
        if (raisedCode([&] { checkRange(c.low, c.size, c.first, count); }) == 0) {
            EXPECT_EQ(std::to_string(count), c.outcome);
        } else {
            EXPECT_EQ(lastErrorCode(), ERange);
            EXPECT_EQ(latin1(lastErrorMessage()), range + c.outcome);
        }
    }
}

} // namespace
