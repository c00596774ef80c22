// Kestro::DateTime: validation, field changes, durations, zones, comparison and text,
// with local time in Europe/Helsinki (UTC+2, daylight-saving time UTC+3 from the last
// Sunday of March, 03:00 local time, to the last Sunday of October).
#include "DateTime.h"
#include "TextTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

using Kestro::DateTime;

namespace {

constexpr TInt32 kLocal = DateTime::ELocalTime;
constexpr TInt32 kUtc = DateTime::EUtc;

std::string text(const DateTime& date) {
    return latin1(date.toText());
}

// The text of the InvalidArgumentException the call raised, or "(none)".
std::string invalidArgument(const std::function<void()>& call) {
    if (raisedCode(call) != EInvalidArgument) return "(none)";
    return latin1(lastErrorMessage());
}

struct DateTimes : ::testing::Test {
    static void SetUpTestSuite() {
        setenv("TZ", "Europe/Helsinki", 1);
        tzset();
    }
};

TEST_F(DateTimes, OneSecondAfterTheLastOfTheCenturyIsTheNewYear) {
    DateTime date(31, 12, 1999, 23, 59, 59, kLocal);
    date.addDuration(0, 0, 0, 1);
    EXPECT_EQ(text(date), "2000-01-01 00:00:00");
    date.subtractDuration(0, 0, 0, 1);
    EXPECT_EQ(text(date), "1999-12-31 23:59:59");
}

TEST_F(DateTimes, TheTextPadsTheYearToFourDigitsAndMarksUtc) {
    EXPECT_EQ(text(DateTime(5, 3, 7, 4, 5, 6, kLocal)), "0007-03-05 04:05:06");
    EXPECT_EQ(text(DateTime(5, 3, 123, 4, 5, 6, kUtc)), "0123-03-05 04:05:06Z");
    EXPECT_EQ(text(DateTime(1, 1, 0, 0, 0, 0, kUtc)), "0000-01-01 00:00:00Z");
    DateTime last(31, 12, 9999, 23, 59, 59, kUtc);
    last.addDuration(0, 0, 0, 1);
    EXPECT_EQ(text(last), "10000-01-01 00:00:00Z");
    EXPECT_EQ(last.getYear(), 10000);
}

TEST_F(DateTimes, YearZeroIsTheLeapYearBeforeYearOne) {
    DateTime date(1, 1, 1, 0, 0, 0, kUtc);
    date.subtractDuration(0, 0, 0, 1);
    EXPECT_EQ(text(date), "0000-12-31 23:59:59Z");
    EXPECT_EQ(date.getYear(), 0);
    EXPECT_EQ(text(DateTime(29, 2, 0, 0, 0, 0, kUtc)), "0000-02-29 00:00:00Z");
    date.subtractDuration(366, 0, 0, 0);
    EXPECT_EQ(text(date), "-0001-12-31 23:59:59Z");
    EXPECT_EQ(date.getYear(), -1);
    date.addDuration(366, 0, 0, 1);
    EXPECT_EQ(text(date), "0001-01-01 00:00:00Z");
}

TEST_F(DateTimes, TheFirstFieldOutOfRangeNamesItself) {
    EXPECT_EQ(invalidArgument([] { DateTime(0, 13, 10000, 24, 60, 60, 2); }),
              "InvalidArgumentException: Invalid year");
    EXPECT_EQ(invalidArgument([] { DateTime(0, 13, -1, 24, 60, 60, 2); }),
              "InvalidArgumentException: Invalid year");
    EXPECT_EQ(invalidArgument([] { DateTime(0, 13, 2000, 24, 60, 60, 2); }),
              "InvalidArgumentException: Invalid month");
    EXPECT_EQ(invalidArgument([] { DateTime(0, 0, 2000, 24, 60, 60, 2); }),
              "InvalidArgumentException: Invalid month");
    EXPECT_EQ(invalidArgument([] { DateTime(32, 1, 2000, 24, 60, 60, 2); }),
              "InvalidArgumentException: Invalid day");
    EXPECT_EQ(invalidArgument([] { DateTime(1, 1, 2000, 24, 60, 60, 2); }),
              "InvalidArgumentException: Invalid hour");
    EXPECT_EQ(invalidArgument([] { DateTime(1, 1, 2000, 23, 60, 60, 2); }),
              "InvalidArgumentException: Invalid minute");
    EXPECT_EQ(invalidArgument([] { DateTime(1, 1, 2000, 23, 59, 60, 2); }),
              "InvalidArgumentException: Invalid second");
    EXPECT_EQ(invalidArgument([] { DateTime(1, 1, 2000, 23, 59, 59, 2); }),
              "InvalidArgumentException: Invalid timezone");
    EXPECT_EQ(invalidArgument([] { DateTime(1, 1, 2000, 23, 59, 59, -1); }),
              "InvalidArgumentException: Invalid timezone");
}

TEST_F(DateTimes, ADayTheMonthDoesNotHaveIsAnInvalidDay) {
    EXPECT_EQ(invalidArgument([] { DateTime(31, 4, 2023, 0, 0, 0, kLocal); }),
              "InvalidArgumentException: Invalid day");
    EXPECT_EQ(invalidArgument([] { DateTime(29, 2, 2023, 0, 0, 0, kLocal); }),
              "InvalidArgumentException: Invalid day");
    EXPECT_EQ(invalidArgument([] { DateTime(29, 2, 1900, 0, 0, 0, kLocal); }),
              "InvalidArgumentException: Invalid day");
    EXPECT_EQ(invalidArgument([] { DateTime(29, 2, 2000, 0, 0, 0, kLocal); }), "(none)");
    EXPECT_EQ(invalidArgument([] { DateTime(29, 2, 2024, 0, 0, 0, kLocal); }), "(none)");
}

TEST_F(DateTimes, SettersReplaceOneField) {
    DateTime date(15, 6, 2023, 12, 30, 45, kLocal);
    date.setDay(1);
    date.setMonth(2);
    date.setYear(2024);
    date.setHour(23);
    date.setMinute(0);
    date.setSecond(59);
    EXPECT_EQ(text(date), "2024-02-01 23:00:59");
    EXPECT_EQ(date.getDay(), 1);
    EXPECT_EQ(date.getMonth(), 2);
    EXPECT_EQ(date.getYear(), 2024);
    EXPECT_EQ(date.getHour(), 23);
    EXPECT_EQ(date.getMinute(), 0);
    EXPECT_EQ(date.getSecond(), 59);
    EXPECT_EQ(date.getTimezone(), kLocal);
}

TEST_F(DateTimes, ASetterOutOfRangeRaisesWithoutMessageAndChangesNothing) {
    DateTime date(15, 6, 2023, 12, 30, 45, kLocal);
    EXPECT_EQ(invalidArgument([&] { date.setMonth(13); }), "InvalidArgumentException");
    EXPECT_EQ(invalidArgument([&] { date.setDay(0); }), "InvalidArgumentException");
    EXPECT_EQ(invalidArgument([&] { date.setYear(10000); }), "InvalidArgumentException");
    EXPECT_EQ(invalidArgument([&] { date.setHour(24); }), "InvalidArgumentException");
    EXPECT_EQ(invalidArgument([&] { date.setMinute(-1); }), "InvalidArgumentException");
    EXPECT_EQ(invalidArgument([&] { date.setSecond(60); }), "InvalidArgumentException");
    EXPECT_EQ(text(date), "2023-06-15 12:30:45");
}

TEST_F(DateTimes, ASetterThatWouldMakeADateThatDoesNotExistChangesNothing) {
    DateTime april(30, 4, 2023, 0, 0, 0, kLocal);
    EXPECT_EQ(invalidArgument([&] { april.setDay(31); }), "InvalidArgumentException");
    EXPECT_EQ(invalidArgument([&] { april.setMonth(2); }), "InvalidArgumentException");
    EXPECT_EQ(text(april), "2023-04-30 00:00:00");
    DateTime leapDay(29, 2, 2024, 0, 0, 0, kLocal);
    EXPECT_EQ(invalidArgument([&] { leapDay.setYear(2023); }), "InvalidArgumentException");
    leapDay.setYear(2028);
    EXPECT_EQ(text(leapDay), "2028-02-29 00:00:00");
}

TEST_F(DateTimes, ChangingTheZoneConvertsTheInstant) {
    DateTime summer(15, 6, 2023, 12, 0, 0, kLocal);
    summer.setTimezone(kUtc);
    EXPECT_EQ(text(summer), "2023-06-15 09:00:00Z");
    EXPECT_EQ(summer.getTimezone(), kUtc);
    summer.setTimezone(kLocal);
    EXPECT_EQ(text(summer), "2023-06-15 12:00:00");
    DateTime winter(1, 1, 2024, 1, 0, 0, kLocal);
    winter.setTimezone(kUtc);
    EXPECT_EQ(text(winter), "2023-12-31 23:00:00Z");
}

TEST_F(DateTimes, AnUnknownZoneRaisesUnlessItIsTheCurrentOne) {
    DateTime date(15, 6, 2023, 12, 0, 0, kLocal);
    EXPECT_EQ(invalidArgument([&] { date.setTimezone(5); }), "InvalidArgumentException");
    date.setTimezone(kLocal);
    EXPECT_EQ(text(date), "2023-06-15 12:00:00");
}

TEST_F(DateTimes, ALocalTimeInTheSpringGapMovesOnByTheGap) {
    // 03:00 local time became 04:00 on 26 March 2023.
    DateTime skipped(26, 3, 2023, 3, 30, 0, kLocal);
    EXPECT_EQ(text(skipped), "2023-03-26 03:30:00") << "fields are taken as given";
    skipped.addDuration(0, 0, 0, 0);
    EXPECT_EQ(text(skipped), "2023-03-26 04:30:00");
    DateTime early(26, 3, 2023, 1, 0, 0, kLocal);
    early.setHour(3);
    EXPECT_EQ(text(early), "2023-03-26 04:00:00");
    DateTime before(26, 3, 2023, 2, 30, 0, kLocal);
    before.addDuration(0, 1, 0, 0);
    EXPECT_EQ(text(before), "2023-03-26 04:30:00");
    DateTime inUtc(26, 3, 2023, 3, 30, 0, kLocal);
    inUtc.setTimezone(kUtc);
    EXPECT_EQ(text(inUtc), "2023-03-26 01:30:00Z");
}

TEST_F(DateTimes, DurationsAddUpInSixtyFourBits) {
    DateTime date(1, 1, 2000, 0, 0, 0, kUtc);
    date.addDuration(30000, 0, 0, 0);
    EXPECT_EQ(text(date), "2082-02-19 00:00:00Z");
    date.subtractDuration(30000, 0, 0, 0);
    date.addDuration(0, 0, 0, 2147483647);
    EXPECT_EQ(text(date), "2068-01-19 03:14:07Z");
    date.subtractDuration(0, 0, 0, 2147483647);
    date.addDuration(1, 24, 1440, 86400);
    EXPECT_EQ(text(date), "2000-01-05 00:00:00Z");
    date.addDuration(-4, 0, 0, 0);
    EXPECT_EQ(text(date), "2000-01-01 00:00:00Z");
}

TEST_F(DateTimes, AMoveBeyondTheCalendarRaisesAndChangesNothing) {
    for (TInt32 zone : {kLocal, kUtc}) {
        DateTime date(1, 1, 2000, 0, 0, 0, zone);
        std::string before;
        TInt32 code = 0;
        for (int step = 0; step < 1000 && code == 0; ++step) {
            before = text(date);
            code = raisedCode([&] { date.addDuration(2147483647, 2147483647, 0, 0); });
        }
        EXPECT_EQ(code, EInvalidArgument);
        EXPECT_EQ(text(date), before);
    }
}

TEST_F(DateTimes, CompareOrdersInstantsAcrossZones) {
    const DateTime local(15, 6, 2023, 12, 0, 0, kLocal);
    const DateTime utc(15, 6, 2023, 9, 0, 0, kUtc);
    EXPECT_EQ(local.compare(utc), 0);
    EXPECT_EQ(utc.compare(local), 0);
    EXPECT_EQ(local.compare(DateTime(15, 6, 2023, 9, 0, 1, kUtc)), -1);
    EXPECT_EQ(DateTime(15, 6, 2023, 9, 0, 1, kUtc).compare(local), 1);
    EXPECT_EQ(utc.compare(DateTime(14, 7, 2022, 23, 59, 59, kUtc)), 1);
    EXPECT_EQ(utc.compare(DateTime(1, 1, 2024, 0, 0, 0, kUtc)), -1);
}

TEST_F(DateTimes, CompareTimeToLooksAtTheClockOnly) {
    const DateTime noon(15, 6, 2023, 12, 0, 0, kUtc);
    EXPECT_EQ(noon.compareTimeTo(DateTime(1, 1, 1990, 12, 0, 0, kUtc)), 0);
    EXPECT_EQ(noon.compareTimeTo(DateTime(1, 1, 2990, 11, 59, 59, kUtc)), 1);
    EXPECT_EQ(noon.compareTimeTo(DateTime(1, 1, 1990, 12, 0, 1, kUtc)), -1);
}

TEST_F(DateTimes, NowIsInTheZoneAsked) {
    const DateTime local = DateTime::now();
    const DateTime utc = DateTime::now(kUtc);
    EXPECT_EQ(local.getTimezone(), kLocal);
    EXPECT_EQ(utc.getTimezone(), kUtc);
    EXPECT_LE(local.compare(utc), 0);
    EXPECT_GE(utc.getYear(), 2024);
    EXPECT_EQ(invalidArgument([] { DateTime::now(2); }),
              "InvalidArgumentException: Invalid timezone");
}

} // namespace
