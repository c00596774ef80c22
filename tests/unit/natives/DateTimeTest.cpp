// Kestro::DateTime: what the date programs cannot reach through the natives.
#include "DateTime.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <string>

using Kestro::DateTime;

namespace {

constexpr TInt32 kLocal = DateTime::ELocalTime;
constexpr TInt32 kUtc = DateTime::EUtc;

TEST(DateTimes, AMoveBeyondTheCalendarRaisesAndChangesNothing) {
    for (TInt32 zone : {kLocal, kUtc}) {
        DateTime date(1, 1, 2000, 0, 0, 0, zone);
        std::string before;
        TInt32 code = 0;
        for (int step = 0; step < 1000 && code == 0; ++step) {
            before = latin1(date.toText());
            code = raisedCode([&] { date.addDuration(2147483647, 2147483647, 0, 0); });
        }
        EXPECT_EQ(code, EInvalidArgument);
        EXPECT_EQ(latin1(date.toText()), before);
    }
}

TEST(DateTimes, CompareTimeToLooksAtTheClockOnly) {
    const DateTime noon(15, 6, 2023, 12, 0, 0, kUtc);
    EXPECT_EQ(noon.compareTimeTo(DateTime(1, 1, 1990, 12, 0, 0, kUtc)), 0);
    EXPECT_EQ(noon.compareTimeTo(DateTime(1, 1, 2990, 11, 59, 59, kUtc)), 1);
    EXPECT_EQ(noon.compareTimeTo(DateTime(1, 1, 1990, 12, 0, 1, kUtc)), -1);
}

} // namespace
